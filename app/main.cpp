#include "app/commandline.h"
#include "app/languagefiles.h"
#include "batch/batchmode.h"
#include "mainwindow/cquillmora.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

void printText(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int badArguments(const QString &error)
{
    printText(stderr, QStringLiteral("quillmora: %1\n").arg(error)
                          + CommandLine::tr("Try 'quillmora --help' for more information.\n"));
    return 2;
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
    case CommandLineRequest::Convert:
        return BatchMode::run(request);
    case CommandLineRequest::Error:
    case CommandLineRequest::Window:
        break;
    }
    return badArguments(request.error);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Decided before any application object exists: a QApplication needs a display.
    QCommandLineParser preParser;
    CommandLine::define(preParser);
    const CommandLineRequest pre = CommandLine::parse(preParser, arguments, QDir::currentPath());
    const bool maybeQtOption = pre.mode == CommandLineRequest::Error && pre.unknownOption
                               && !CommandLine::wantsNoWindow(arguments);
    if (pre.mode != CommandLineRequest::Window && !maybeQtOption)
        return runWithoutWindow(argc, argv);

    QApplication app(argc, argv); // takes Qt's own options (-platform, -style, ...) away
    QCommandLineParser parser;
    CommandLine::define(parser);
    const CommandLineRequest request = CommandLine::parse(parser, app.arguments(), QDir::currentPath());
    if (request.mode != CommandLineRequest::Window)
        return badArguments(request.error);

    CQuillmora window;
    window.show();
    window.startSession(request.files);
    return app.exec();
}
