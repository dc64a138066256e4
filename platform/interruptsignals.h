#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal on the thread that made the
// object (through a pipe, the only safe way out of a signal handler). While
// it lives those signals no longer end the process; the previous handlers
// come back when it goes. One at a time.
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

    std::unique_ptr<QSocketNotifier> notifier;
    int first = 0;
};
