#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// How a child program ended.
struct ChildResult {
    bool started = false;        // false: the program could not be executed
    bool stopped = false;        // a stop signal of the tool killed it
    bool exitedNormally = false; // false: it died of a signal
    int exitCode = -1;
    int signalNumber = 0;        // of the signal it died of
    QByteArray errorOutput;      // what it wrote on stderr (the first 16 KiB)
    QByteArray errorTail;        // and the last 4 KiB of it, where a summary at the end stays
    QString startError;          // why it could not be started

    bool succeeded() const { return started && !stopped && exitedNormally && exitCode == 0; }
    // The first line that says what went wrong, for the tool's own report.
    QString firstErrorLine() const;
    // The signal it died of, in words and by number ("Segmentation fault, signal 11").
    QString signalName() const;
};

// Every line the child writes on stdout, without its line end.
using OutputLineHandler = std::function<void(const QByteArray &line)>;

// Runs program (a full path; PATH is not searched) with the arguments and
// waits for it. The child gets no stdin and dies with the calling thread
// (PR_SET_PDEATHSIG), so a tool that is killed never leaves it running;
// a stop signal of the tool (stopsignals) is passed on to it.
ChildResult runChild(const QString &program, const QStringList &arguments,
                     const OutputLineHandler &onOutputLine = {});
