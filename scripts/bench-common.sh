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
