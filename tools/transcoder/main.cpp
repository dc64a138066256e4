// transcoder: runs one conversion or one join of the application through
// the installed FFmpeg (Debian's ffmpeg), given ffmpeg-style arguments with
// the output last. Exit code 0 only when the output was written; the
// percentage goes to the progress block "FFMPEGSHARE".
//
// Its input is the classic FFmpeg argument dialect that the application
// writes: "libfaac" for AAC, the "mp=eq2" wrapper for brightness, contrast
// and saturation, font family names in drawtext's fontfile=, the legacy code
// page names ("CP936", "LATIN2", "UNICODEBIG") for subtitles, and choices of
// size, rate, channels and bitrate that not every encoder or container takes.
// Fitting that dialect to the installed FFmpeg is this tool's job: plan/
// rewrites the arguments, using what libavformat reads of the input, so that
// every choice of the application gives a file that plays.
//
//   transcoder [--print-ffmpeg-arguments] [--facts=<text>]
//              [--fit-size=<bytes>] [--check-quality] <arguments>
//
// --fit-size makes the file come out between 95 % and 100 % of the size,
// encoded in two passes (fittedrun.h), or refuses a size that cannot work.
// An output that is there is replaced only with "-y"; otherwise the file
// takes the next free "_N" name and the tool prints
// "quillmora:output=<absolute path>" on stdout.
// --print-ffmpeg-arguments prints what would be given to ffmpeg instead of
// running it (for the benchmark and for looking into a failure by hand).
// --facts= gives the input's facts and the output's muxer as the application
// read them through the probe module (engine/probemodule.h): the transcoder
// then loads none of FFmpeg's libraries itself. Text that does not read as
// facts is ignored, and the input probed.
// --check-quality compares a converted picture with its source after the
// encode (qualitycheck.h).
// QUILLMORA_PROGRESS_BLOCK names another shared-memory block than
// "/FFMPEGSHARE.<uid>" for the percentage (tests use a private one).

#include "tools/common/stopsignals.h"
#include "tools/common/toolerror.h"
#include "tools/transcoder/commandline.h"
#include "tools/transcoder/fontenvironment.h"
#include "tools/transcoder/joinrun.h"
#include "tools/transcoder/mediaprobe.h"
#include "tools/transcoder/singlerun.h"

#include <QStringList>

int main(int argc, char *argv[])
{
    toolerror::setToolName("transcoder");
    stopsignals::install();

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const bool printOnly = commandline::takeOption(&arguments, QStringLiteral("print-ffmpeg-arguments"));
    QString facts;
    const bool toldFacts = commandline::takeOption(&arguments, QStringLiteral("facts"), &facts);

    if (!commandline::isComplete(arguments))
        return toolerror::fail(QStringLiteral("usage: transcoder [options] -i INPUT [options] OUTPUT"));
    if (toldFacts && !commandline::isJoin(arguments))
        rememberProbedFacts(facts.toUtf8(), commandline::inputOf(arguments), arguments.last());

    useApplicationFontConfiguration();
    if (commandline::isJoin(arguments)) {
        if (printOnly)
            return toolerror::fail(QStringLiteral("a join has no single ffmpeg command to print"));
        return runJoin(arguments);
    }
    return runSingle(arguments, printOnly);
}
