#pragma once

#include <QString>

// A tool tells what went wrong in one line on stderr ("transcoder: ...").
namespace toolerror {

void setToolName(const char *name);

// Reports the message and returns the exit code of a failed run (1).
int fail(const QString &message);

} // namespace toolerror
