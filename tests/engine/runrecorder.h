#pragma once

#include "app/convertjob.h"
#include "engine/conversionrun.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QStringList>

#include <functional>

// What a conversion run told its observer, as lines "start 0", "progress 0 57",
// "state 0 1", "reason 0", "renamed 0 <path>", "copied 0 audio", "quality 0 <text>", "end 0", "ask 0", in order.
class RunRecorder : public RunObserver
{
public:
    QList<bool> answers;                                // to the overwrite questions, in turn
    std::function<void(const QString &event)> onEvent;  // called after each line is recorded

    void passStarted(int row) override;
    void progress(int row, int percent) override;
    void stateChanged(int row, int state) override;
    void failureReason(int row, const QString &reason) override;
    void outputRenamed(int row, const QString &writtenPath) override;
    void passEnded(int row) override;
    void streamsCopied(int row, const QString &streams) override;
    void qualityChecked(int row, const QString &text) override;
    bool confirmOverwrite(int row, const QString &outputPath) override;

    QStringList events() const;
    QStringList eventsOf(int row) const;  // the lines of one row
    QString reason(int row) const;
    QStringList askedPaths() const;
    int passesOf(int row) const { return eventsOf(row).count(QStringLiteral("start %1").arg(row)); }

    // Empty when every pass is bracketed by one start and one end, ends with
    // a 100 and nothing of the row but a Failed and its reason comes outside
    // a pass; else what broke it.
    QString bracketingFault() const;

private:
    void add(const QString &event);

    mutable QMutex mutex;
    QStringList lines;
    QHash<int, QString> reasons;
    QStringList asked;
};

// A job of the format with its default profile, from one input (or several for a join).
ConvertJob jobFor(int formatId, const QStringList &inputs, const QString &output);

// "pid name" of every process whose environment names the progress block
// or one named after it: the tools of one run and their children.
QStringList processesUsing(const QString &block);
