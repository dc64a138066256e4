// The command a user starts. It loads no Qt library: it only chooses the
// program that takes its place, with the same arguments and process, so
// that neither a window nor a batch pays for the other's libraries (Qt Core
// alone costs a start about 4 ms; Qt Gui and its libraries 8 more):
// quillmora-convert for --convert, --list-formats, --help and --version,
// quillmora-window otherwise. Both lie among the tools: beside this program
// in a build tree, in <prefix>/lib/quillmora when installed.
#include "app/windowlessoptions.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// <folder>/<name>, or <folder>/<tools from bin>/<name> when the first is not there.
bool findProgram(const char *folder, const char *name, char *path, size_t size)
{
    if (std::snprintf(path, size, "%s/%s", folder, name) < int(size) && ::access(path, X_OK) == 0)
        return true;
    return std::snprintf(path, size, "%s/" QUILLMORA_TOOLS_FROM_BIN "/%s", folder, name) < int(size);
}

} // namespace

int main(int argc, char *argv[])
{
    char folder[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", folder, sizeof folder - 1);
    if (length <= 0) {
        std::perror("quillmora: /proc/self/exe");
        return 127;
    }
    folder[length] = '\0';
    *std::strrchr(folder, '/') = '\0';

    const bool windowless = asksForNoWindow(argc, argv);
    // Should the chosen program be missing, the other one says so in the
    // user's language (each starts the other for what it does not do).
    const char *const programs[] = {windowless ? "quillmora-convert" : "quillmora-window",
                                    windowless ? "quillmora-window" : "quillmora-convert"};
    char path[PATH_MAX];
    for (const char *program : programs) {
        if (findProgram(folder, program, path, sizeof path))
            ::execv(path, argv);
    }
    std::perror(path);
    return 127;
}
