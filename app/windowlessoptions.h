#pragma once

// True when the arguments (the program's name first) ask for no window:
// --convert, --list-formats, --help or --version before a "--". Plain C
// strings, so that the command can choose its program before any Qt library
// is loaded; the command line's parser asks the same table.
bool asksForNoWindow(int argc, const char *const argv[]);
