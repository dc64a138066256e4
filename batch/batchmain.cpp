// The program quillmora-convert: the command line without a window
// (--convert, --list-formats, --help, --version, bad arguments); the
// command quillmora starts it in its place.
#include "app/commandline.h"
#include "app/installlayout.h"
#include "app/languagefiles.h"
#include "app/programswitch.h"
#include "batch/batchmode.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include <cstdio>
#include <unistd.h>

namespace {

void printText(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// --convert, --list-formats, --help, --version and bad arguments: no window,
// no display, no widget.
int runWithoutWindow(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTranslator translator;
    installSystemLanguage(translator);
    QCommandLineParser parser;
    CommandLine::define(parser);
    const CommandLineRequest request = CommandLine::parse(parser, app.arguments(), QDir::currentPath());
    switch (request.mode) {
    case CommandLineRequest::Help:
        printText(stdout, parser.helpText());
        return 0;
    case CommandLineRequest::Version:
        printText(stdout, QStringLiteral("quillmora %1\n").arg(QStringLiteral(QUILLMORA_VERSION)));
        return 0;
    case CommandLineRequest::ListFormats:
        printText(stdout, CommandLine::formatList());
        return 0;
    case CommandLineRequest::Convert: {
        const int code = BatchMode::run(request);
        // Everything of the batch is written and closed by now. What is left
        // is the libraries' own teardown: that of FFmpeg's 140, loaded with
        // the probe module, costs about 8 ms of CPU, more than the copy of a
        // minute of video spends in ffmpeg's muxer.
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(code);
    }
    case CommandLineRequest::Error:
    case CommandLineRequest::Window:
        break;
    }
    return CommandLine::badArguments(request.error);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Decided before any application object exists: a window needs a display.
    if (!CommandLine::wantsWindow(arguments))
        return runWithoutWindow(argc, argv);
    return startInstead(windowProgram, argc, argv);
}
