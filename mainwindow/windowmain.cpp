// The program quillmora-window: the command quillmora starts it in its place
// for a window, so that only a window loads the widget libraries.
#include "app/commandline.h"
#include "app/installlayout.h"
#include "app/programswitch.h"
#include "mainwindow/cquillmora.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Decided before any application object exists: a QApplication needs a
    // display, and bad arguments are told without one, by the command line's
    // own program.
    if (!CommandLine::wantsWindow(arguments))
        return startInstead(convertProgram, argc, argv);

    QApplication app(argc, argv); // takes Qt's own options (-platform, -style, ...) away
    QCommandLineParser parser;
    CommandLine::define(parser);
    const CommandLineRequest request = CommandLine::parse(parser, app.arguments(), QDir::currentPath());
    if (request.mode != CommandLineRequest::Window)
        return CommandLine::badArguments(request.error);

    CQuillmora window;
    window.show();
    window.startSession(request.files);
    return app.exec();
}
