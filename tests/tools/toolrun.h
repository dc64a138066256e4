#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

#include <sys/types.h>

// The built tools, the environment they run in under test, and what they
// leave behind: processes in /proc and files in the output folder. They are
// run to their end through testsupport::runProgram.
namespace toolrun {

QString transcoder();      // build/transcoder
QString imageConverter();  // build/imageconvert/convert

// A progress block of this test process alone, and the environment that
// makes the transcoder write there instead of the application's block, so
// the tests neither disturb nor are disturbed by other conversions.
QString privateProgressBlock();
QProcessEnvironment privateEnvironment();
void removePrivateProgressBlock();

// Children of a process, from /proc.
QList<pid_t> childrenOf(pid_t parent);

// A process that has ended: no /proc entry, or a zombie nobody reaped yet.
bool hasEnded(pid_t pid);

// Waits up to timeoutMs for a condition, polling every 10 ms.
bool waitFor(const std::function<bool()> &condition, int timeoutMs);

// The hidden temporary files and scratch folders of the tools in a folder.
QStringList temporaryFilesIn(const QString &folder);

} // namespace toolrun
