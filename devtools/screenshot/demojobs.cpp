#include "devtools/screenshot/demojobs.h"

#include "app/convertjob.h"
#include "mainwindow/cquillmora.h"
#include "engine/timeleft.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/mainwindow/testaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <vector>

namespace {

struct DemoFile {
    const char *path; // under the home folder
    qint64 bytes;
};

struct DemoBatch {
    const char *button;
    std::vector<DemoFile> files; // one file dialog's answer
};

const DemoBatch demoBatches[] = {
    {"btnMP4",
     {{"Videos/holiday-in-lisbon.avi", 187'318'272},
      {"Videos/birthday-party.mov", 96'468'992},
      {"Videos/drone-over-the-lake.mkv", 254'803'968}}},
    {"btnMP3", {{"Music/evening-walk.flac", 31'866'880}}},
    {"btnPNG", {{"Pictures/lighthouse.jpg", 4'372'480}}},
    {"btnVideoMerge",
     {{"Videos/Road trip/day-1.mp4", 62'914'560},
      {"Videos/Road trip/day-2.mp4", 75'497'472},
      {"Videos/Road trip/day-3.mp4", 58'720'256}}},
};

constexpr int ConvertingRow = 1;
constexpr int ConvertingPercent = 64;

QString makeSparseFile(const QString &path, qint64 bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("cannot create the folder of ") + path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(bytes))
        return QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString();
    return {};
}

} // namespace

QString addDemoJobs(CQuillmora &window, ScriptedPrompts &prompts, const QString &home)
{
    const int warningsBefore = prompts.count(QStringLiteral("warning"));
    int expectedRows = 0;
    for (const DemoBatch &batch : demoBatches) {
        QStringList answer;
        for (const DemoFile &file : batch.files) {
            const QString path = home + QLatin1Char('/') + QLatin1String(file.path);
            const QString error = makeSparseFile(path, file.bytes);
            if (!error.isEmpty())
                return error;
            answer << path;
        }
        auto *button = window.findChild<QToolButton *>(QLatin1String(batch.button));
        if (!button)
            return QStringLiteral("no format button ") + QLatin1String(batch.button);
        prompts.fileAnswers.append(answer);
        button->click();
        expectedRows += batch.button == QLatin1String("btnVideoMerge") ? 1 : int(answer.size());
    }

    auto *table = window.findChild<QTableWidget *>(QStringLiteral("jobTable"));
    if (prompts.count(QStringLiteral("warning")) > warningsBefore)
        return QStringLiteral("the window refused a file: ") + prompts.shown.last().text;
    if (!table || table->rowCount() != expectedRows || window.jobQueue().count() != expectedRows)
        return QStringLiteral("the job table does not show the %1 demo jobs").arg(expectedRows);

    return {};
}

void playRunStart(CQuillmora &window)
{
    // The engine's order for the rows so far: each row's bar goes in before it
    // is marked converting, and out once the row has succeeded.
    for (int row = 0; row <= ConvertingRow; ++row) {
        emit window.sigInsertProgressBar(row);
        emit window.sigUpdateState(row, Converting);
        if (row < ConvertingRow) {
            emit window.sigSetProcValue(row, 100);
            emit window.sigUpdateState(row, Succeeded);
            emit window.sigRemoveProgressBar(row);
        }
    }
    emit window.sigSetProcValue(ConvertingRow, ConvertingPercent);
}

void playRunInProgress(CQuillmora &window, const std::function<void(QWidget &bar)> &grabBar)
{
    CQuillmoraTestAccess(window).startRun();
    const int endStates[] = {Succeeded, Failed};
    for (int row = 0; row < RunInProgressRow; ++row) {
        emit window.sigInsertProgressBar(row);
        emit window.sigUpdateState(row, Converting);
        emit window.sigSetProcValue(row, 100);
        emit window.sigUpdateState(row, endStates[row]);
        emit window.sigRemoveProgressBar(row);
    }
    QMetaObject::invokeMethod(&window, "showFailureReason", Q_ARG(int, 1),
                              Q_ARG(QString, QStringLiteral("Invalid data found when processing input")));

    // The percentages as a tool reports them over a few seconds, so that the
    // window has a pace to tell the time left from.
    emit window.sigInsertProgressBar(RunInProgressRow);
    emit window.sigUpdateState(RunInProgressRow, Converting);
    const int percents[] = {40, 47, 55, 62};
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("jobTable"));
    for (int step = 0; step < 4; ++step) {
        if (step > 0)
            QTest::qWait(int(TimeLeftSettleMs) + 100);
        emit window.sigSetProcValue(RunInProgressRow, percents[step]);
        if (step > 0)
            grabBar(*table->cellWidget(RunInProgressRow, 2));
    }
}
