#pragma once

#include <functional>

// Powers the computer off ("systemctl poweroff", started detached), the one
// way the program does so. Tests install a recording stand-in before anything
// can ask for it.
void requestSystemShutdown();

using SystemShutdown = std::function<void()>;

// Installs what requestSystemShutdown() does (an empty function brings the
// real command back) and returns the previous stand-in, empty for the real one.
SystemShutdown installSystemShutdown(SystemShutdown shutdown);
