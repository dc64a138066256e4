#include "app/windowlessoptions.h"

#include <cstring>

bool asksForNoWindow(int argc, const char *const argv[])
{
    static const char *const windowless[] = {"--convert", "--list-formats", "--help", "-h",
                                             "--help-all", "-?", "--version", "-v"};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        for (const char *option : windowless)
            if (std::strcmp(argv[i], option) == 0)
                return true;
    }
    return false;
}
