#include "tools/common/stopsignals.h"

#include <csignal>
#include <initializer_list>

namespace stopsignals {

namespace {

volatile sig_atomic_t stopSignal = 0;
volatile sig_atomic_t childPid = 0;
int signalForChild = SIGKILL;

void onStopSignal(int signalNumber)
{
    stopSignal = signalNumber;
    const pid_t pid = childPid;
    if (pid > 0)
        kill(pid, signalForChild);
}

} // namespace

void install(int childSignal)
{
    signalForChild = childSignal;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signalNumber, &action, nullptr);
}

int requested()
{
    return stopSignal;
}

int childSignal()
{
    return signalForChild;
}

int exitCode()
{
    return 128 + stopSignal;
}

void setChild(pid_t pid)
{
    childPid = pid;
}

} // namespace stopsignals
