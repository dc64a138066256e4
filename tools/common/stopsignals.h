#pragma once

#include <sys/types.h>

// SIGTERM, SIGINT and SIGHUP ask a tool to stop. The handler only records
// the signal and kills the child that is running, so the tool's own code
// unwinds normally and removes its temporary files on the way out.
namespace stopsignals {

void install();

// The signal that asked to stop, or 0.
int requested();

// The exit code of a tool that was stopped by the signal (128 + its number).
int exitCode();

// The child the handler kills; 0 for none. Set with the stop signals blocked
// (see ChildProcess), so a signal never falls between fork and this call.
void setChild(pid_t pid);

} // namespace stopsignals
