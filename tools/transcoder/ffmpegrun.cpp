#include "tools/transcoder/ffmpegrun.h"

#include "platform/progressshare.h"
#include "tools/common/stopsignals.h"
#include "tools/common/temporaryoutput.h"
#include "tools/common/toolerror.h"
#include "tools/common/toolreport.h"
#include "tools/transcoder/ffmpegprogress.h"
#include "tools/transcoder/ffmpegreport.h"
#include "tools/transcoder/mediaprobe.h"

#include <QFileInfo>

namespace {

const QString ffmpegProgram = QStringLiteral(QUILLMORA_FFMPEG); // the build names it

// Quiet but for errors, never waits on stdin, reports progress on stdout.
const QStringList globalOptions = {
    "-hide_banner", "-nostdin", "-nostats", "-loglevel", "error",
    "-progress", "pipe:1", "-stats_period", "0.25", "-y"};

// The block the application reads. QUILLMORA_PROGRESS_BLOCK names another
// one, so that tests can run beside an application that is converting.
QString progressBlockName()
{
    const QString chosen = qEnvironmentVariable("QUILLMORA_PROGRESS_BLOCK");
    return chosen.isEmpty() ? ProgressShare::nameOf(ProgressShare::Block::Ffmpeg) : chosen;
}

// Why ffmpeg wrote nothing although it succeeded.
QString whyNothingWritten(const QStringList &arguments)
{
    // A part of the input was asked for ("-ss", "-t"): the part holds nothing.
    if (arguments.contains(QLatin1String("-ss")) || arguments.contains(QLatin1String("-t")))
        return QStringLiteral("the cut is empty or lies past the end of the input");
    return QStringLiteral("no frame of the input could be decoded; it is damaged");
}

// The percentage of the run within its span of the bar, from the span's start.
FfmpegRun runShowingProgress(ProgressShare &share, const QStringList &arguments, double expectedSeconds, PercentSpan span)
{
    share.setPercent(span.from);
    return runFfmpeg(arguments, expectedSeconds, [&share, span](int percent) { share.setPercent(span.at(percent)); });
}

} // namespace

FfmpegRun runFfmpeg(const QStringList &arguments, double expectedSeconds, const std::function<void(int)> &onPercent)
{
    // SVT-AV1 prints its banner on stderr whatever ffmpeg's log level; its
    // own level 1 keeps the errors, the first of which becomes the reason.
    qputenv("SVT_LOG", "1");
    FfmpegProgress progress(expectedSeconds);
    FfmpegRun run;
    run.child = runChild(ffmpegProgram, globalOptions + arguments, [&](const QByteArray &line) {
        if (progress.takeLine(line) && onPercent)
            onPercent(progress.percent());
    });
    run.wroteSomething = progress.wroteSomething();
    return run;
}

FfmpegRun runFfmpegShowingProgress(const QStringList &arguments, double expectedSeconds, PercentSpan span)
{
    ProgressShare share;
    share.open(progressBlockName());
    return runShowingProgress(share, arguments, expectedSeconds, span);
}

bool appendOutput(const TemporaryOutput &output, QStringList *arguments, QString *error)
{
    if (!output.isNamed()) {
        const QString muxer = muxerNameFor(output.finalPath());
        if (muxer.isEmpty()) {
            *error = QStringLiteral("ffmpeg writes no files of the kind \"%1\"").arg(QFileInfo(output.finalPath()).suffix());
            return false;
        }
        *arguments << QStringLiteral("-f") << muxer;
    }
    *arguments << output.path();
    return true;
}

QString describeFailure(const FfmpegRun &run)
{
    const ChildResult &child = run.child;
    if (!child.started)
        return child.startError;
    if (!child.exitedNormally)
        return QStringLiteral("ffmpeg crashed (%1)").arg(child.signalName());
    const QString damage = damageReported(child.errorOutput);
    if (!damage.isEmpty())
        return QStringLiteral("ffmpeg failed: the input is damaged or incomplete (%1)").arg(damage);
    const QString reason = child.firstErrorLine();
    if (reason.isEmpty())
        return QStringLiteral("ffmpeg failed with exit code %1").arg(child.exitCode);
    return QStringLiteral("ffmpeg failed: ") + reason;
}

int convertInto(QStringList arguments, double expectedSeconds, TemporaryOutput::Existing existing,
                QString *ffmpegFailure, PercentSpan span)
{
    TemporaryOutput output(arguments.takeLast(), existing);
    QString error;
    if (!output.create(&error) || !appendOutput(output, &arguments, &error))
        return toolerror::fail(error);

    ProgressShare share;
    share.open(progressBlockName());
    const FfmpegRun run = runShowingProgress(share, arguments, expectedSeconds, span);
    if (run.child.stopped)
        return stopsignals::exitCode();
    QString failure;
    if (!run.child.succeeded())
        failure = describeFailure(run);
    else if (!run.wroteSomething || output.size() == 0)
        failure = QStringLiteral("nothing to write to %1: %2")
                      .arg(output.finalPath(), whyNothingWritten(arguments));
    if (!failure.isEmpty() && ffmpegFailure) {
        *ffmpegFailure = failure;
        return 1;
    }
    if (!failure.isEmpty())
        return toolerror::fail(failure);
    if (stopsignals::requested())
        return stopsignals::exitCode();
    if (!output.commit(&error))
        return toolerror::fail(error);
    toolreport::tellWrittenName(output);
    share.setPercent(100);
    return 0;
}
