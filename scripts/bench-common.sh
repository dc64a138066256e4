# Shared by the benchmark scripts that time commands: source it.

# The median of the numbers on standard input, one a line.
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# "wall cpu" in ms of one run of the command; cpu counts the children it waited for (the tools, ffmpeg).
time_ms() { time_ms_into /dev/null /dev/null "$@"; }

# time_ms, the command's stdout written to the file $1 and its stderr to $2.
time_ms_into() {
    local out=$1 err=$2 TIMEFORMAT='%3R %3U %3S' timing
    shift 2
    if ! timing=$({ time "$@" >"$out" 2>"$err"; } 2>&1); then
        echo "failed: $*" >&2
        return 1
    fi
    awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' <<<"$timing"
}

# The window offscreen in the C locale, its settings, output folder and kept
# job lists in a home of the benchmark's own under the folder.
offscreen_home() {
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} LANG=C.UTF-8 LC_ALL=C.UTF-8
    unset LANGUAGE
    export HOME=$1/home XDG_CONFIG_HOME=$1/home/.config XDG_DATA_HOME=$1/home/.local/share
    mkdir -p "$HOME"
}
