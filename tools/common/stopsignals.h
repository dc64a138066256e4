#pragma once

#include <sys/types.h>

#include <csignal>

// SIGTERM, SIGINT and SIGHUP ask a tool to stop. The handler only records
// the signal and passes the stop on to the child that is running, so the
// tool's own code unwinds normally and removes its temporary files on the
// way out.
namespace stopsignals {

// childSignal: what the child gets. SIGKILL ends it at once; SIGTERM lets it
// clean up after itself, and runChild kills it if it has not ended in a few
// seconds.
void install(int childSignal = SIGKILL);

// The signal that install() chose for the child.
int childSignal();

// The signal that asked to stop, or 0.
int requested();

// The exit code of a tool that was stopped by the signal (128 + its number).
int exitCode();

// The child the handler kills; 0 for none. Set with the stop signals blocked
// (see ChildProcess), so a signal never falls between fork and this call.
void setChild(pid_t pid);

} // namespace stopsignals
