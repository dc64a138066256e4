#include "app/commandline.h"
#include "app/installlayout.h"
#include "app/languagefiles.h"
#include "batch/batchmode.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

void printText(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// The command line's texts in the system's language, from the same files as the window's.
void loadTranslation(QTranslator &translator)
{
    const QString file = findTranslationFile(languageFileForLocale(QLocale::system().name()),
                                             translationFolders());
    if (!file.isEmpty() && translator.load(file))
        QCoreApplication::installTranslator(&translator);
}

// --convert, --list-formats, --help, --version and bad arguments: no window,
// no display, no widget.
int runWithoutWindow(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTranslator translator;
    loadTranslation(translator);
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

// The window's program in this process's place, with the same arguments
// (Qt's own options among them) and the same name in argv[0]; returns only
// when it cannot be started.
int startWindow(int argc, char *argv[])
{
    const QString applicationFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QByteArray program = QFile::encodeName(windowProgram(applicationFolder));
    ::execv(program.constData(), argv);
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    QCoreApplication app(argc, argv);
    QTranslator translator;
    loadTranslation(translator);
    printText(stderr, QStringLiteral("quillmora: %1\n")
                          .arg(CommandLine::tr("cannot start the window, %1: %2")
                                   .arg(QFile::decodeName(program), reason)));
    return 127;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Decided before any application object exists: a window needs a display.
    QCommandLineParser preParser;
    CommandLine::define(preParser);
    const CommandLineRequest pre = CommandLine::parse(preParser, arguments, QDir::currentPath());
    const bool maybeQtOption = pre.mode == CommandLineRequest::Error && pre.unknownOption
                               && !CommandLine::wantsNoWindow(arguments);
    if (pre.mode != CommandLineRequest::Window && !maybeQtOption)
        return runWithoutWindow(argc, argv);
    return startWindow(argc, argv);
}
