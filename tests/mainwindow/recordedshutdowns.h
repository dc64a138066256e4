#pragma once

#include "platform/systemshutdown.h"

#include <atomic>

// Counts requests to power the computer off instead of making them; in place
// before a window exists and until it is gone.
class RecordedShutdowns
{
public:
    RecordedShutdowns() { previous = installSystemShutdown([this] { ++count; }); }
    ~RecordedShutdowns() { installSystemShutdown(previous); }
    RecordedShutdowns(const RecordedShutdowns &) = delete;
    RecordedShutdowns &operator=(const RecordedShutdowns &) = delete;

    std::atomic<int> count{0};

private:
    SystemShutdown previous;
};
