// The window's program: quillmora starts it in its own place for a window,
// so that only a window loads the widget libraries.
#include "app/commandline.h"
#include "mainwindow/cquillmora.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char *argv[])
{
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
