// A bare Qt Widgets main window, the yardstick of scripts/bench-startup.sh:
// a menu, a tool bar and a table, as a plain application would start with.
//   quillmora_bench_barewindow       prints ms from launch to the first paint
#include "devtools/bench/firstpaint.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolBar>

int main(int argc, char **argv)
{
    FirstPaintApplication app(argc, argv);
    QMainWindow window;
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    QToolBar *tools = window.addToolBar(QStringLiteral("Tools"));
    const QStyle::StandardPixmap icons[] = {QStyle::SP_DialogOpenButton,
                                            QStyle::SP_DialogSaveButton, QStyle::SP_MediaPlay,
                                            QStyle::SP_MediaStop, QStyle::SP_TrashIcon};
    const char *names[] = {"Open", "Save", "Start", "Stop", "Remove"};
    for (int i = 0; i < 5; ++i) {
        QAction *action =
            file->addAction(window.style()->standardIcon(icons[i]), QString::fromLatin1(names[i]));
        tools->addAction(action);
    }
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("About"));
    auto *table = new QTableWidget(0, 4);
    table->setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Format"),
                                      QStringLiteral("State"), QStringLiteral("Progress")});
    table->horizontalHeader()->setStretchLastSection(true);
    window.setCentralWidget(table);
    window.resize(1000, 600);
    app.watch(&window);
    window.show();
    return app.exec();
}
