#include "tools/transcoder/ffmpegrun.h"

#include "platform/progressshare.h"
#include "tools/common/stopsignals.h"
#include "tools/common/temporaryoutput.h"
#include "tools/common/toolerror.h"
#include "tools/common/toolreport.h"
#include "tools/transcoder/ffmpegprogress.h"
#include "tools/transcoder/ffmpegreport.h"
#include "tools/transcoder/mediaprobe.h"
#include "tools/transcoder/plan/plainstreamcopy.h"

#include <QFileInfo>

namespace {

const QString ffmpegProgram = QStringLiteral(QUILLMORA_FFMPEG); // the build names it

// Quiet but for errors, never waits on stdin, reports progress on stdout.
const QStringList globalOptions = {
    "-hide_banner", "-nostdin", "-nostats", "-loglevel", "error",
    "-progress", "pipe:1", "-stats_period", "0.25", "-y"};

} // namespace

// The block the application reads. QUILLMORA_PROGRESS_BLOCK names another
// one, so that tests can run beside an application that is converting.
QString progressBlockName()
{
    const QString chosen = qEnvironmentVariable("QUILLMORA_PROGRESS_BLOCK");
    return chosen.isEmpty() ? ProgressShare::nameOf(ProgressShare::Block::Ffmpeg) : chosen;
}

namespace {

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

namespace {

// Puts the written file under its name and fills its span of the bar.
int keepWritten(TemporaryOutput &output, ProgressShare &share, PercentSpan span, QString *writtenPath)
{
    QString error;
    if (!output.commit(&error))
        return toolerror::fail(error);
    toolreport::tellWrittenName(output);
    if (writtenPath)
        *writtenPath = output.writtenPath();
    share.setPercent(span.to);
    return 0;
}

// A plain stream copy done in-process, which spares a copy the start of an
// ffmpeg that would load FFmpeg's libraries once more: written into output,
// stopped, or left to ffmpeg.
ProbeModule::Remuxed copyInProcess(const PlainStreamCopy &copy, const TemporaryOutput &output,
                                   double expectedSeconds, ProgressShare &share, PercentSpan span)
{
    const QString muxer = muxerNameFor(output.finalPath());
    if (muxer.isEmpty())
        return ProbeModule::Remuxed::LeftToFfmpeg;
    share.setPercent(span.from);
    int shown = 0;
    const ProbeModule::Remuxed remuxed =
        remuxInProcess(copy.input, output.path(), muxer, copy.copyVideo, copy.copyAudio, [&](double seconds) {
            const int percent = expectedSeconds > 0 ? qBound(0, int(seconds * 100 / expectedSeconds), 99) : 0;
            if (percent > shown)
                share.setPercent(span.at(shown = percent));
        });
    return remuxed == ProbeModule::Remuxed::Written && output.size() == 0 ? ProbeModule::Remuxed::LeftToFfmpeg
                                                                            : remuxed;
}

} // namespace

int convertInto(QStringList arguments, double expectedSeconds, TemporaryOutput::Existing existing,
                QString *ffmpegFailure, PercentSpan span, QString *writtenPath)
{
    TemporaryOutput output(arguments.takeLast(), existing);
    QString error;
    if (!output.create(&error))
        return toolerror::fail(error);
    ProgressShare share;
    share.open(progressBlockName());
    if (const std::optional<PlainStreamCopy> copy = plainStreamCopyOf(arguments)) {
        const ProbeModule::Remuxed remuxed = copyInProcess(*copy, output, expectedSeconds, share, span);
        if (remuxed == ProbeModule::Remuxed::Interrupted || stopsignals::requested())
            return stopsignals::exitCode();
        if (remuxed == ProbeModule::Remuxed::Written)
            return keepWritten(output, share, span, writtenPath);
    }
    if (!appendOutput(output, &arguments, &error))
        return toolerror::fail(error);

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
    return keepWritten(output, share, span, writtenPath);
}
