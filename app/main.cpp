#include "mainwindow/cquillmora.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CQuillmora window;
    window.show();
    return app.exec();
}
