#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the thread that made
// the object (through a pipe, the only safe way out of a signal handler).
// While it lives those signals no longer end the process; the previous
// handlers come back when it goes. Objects made while another lives take the
// signals over until they go (the last made goes first).
class InterruptSignals : public QObject
{
    Q_OBJECT

public:
    InterruptSignals();
    ~InterruptSignals() override;

    // The first signal that came, 0 while none did.
    int received() const { return first; }

signals:
    void signalled(int signalNumber);

private:
    void readPipe();

    int pipeEnds[2] = {-1, -1};
    int previousWriteEnd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    int first = 0;
};
