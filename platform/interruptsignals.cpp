#include "platform/interruptsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int handled[] = {SIGINT, SIGTERM, SIGHUP};

volatile sig_atomic_t writeEnd = -1;
struct sigaction previousActions[std::size(handled)];
int instances = 0;

void onSignal(int number)
{
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
}

} // namespace

InterruptSignals::InterruptSignals()
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, &InterruptSignals::readPipe);

    previousWriteEnd = writeEnd;
    writeEnd = pipeEnds[1];
    if (instances++ > 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(handled); ++i)
        sigaction(handled[i], &action, &previousActions[i]);
}

InterruptSignals::~InterruptSignals()
{
    if (!notifier)
        return;
    if (--instances == 0) {
        for (size_t i = 0; i < std::size(handled); ++i)
            sigaction(handled[i], &previousActions[i], nullptr);
    }
    writeEnd = previousWriteEnd;
    notifier.reset();
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

void InterruptSignals::readPipe()
{
    char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1) {
        if (first == 0)
            first = byte;
        emit signalled(byte);
    }
}
