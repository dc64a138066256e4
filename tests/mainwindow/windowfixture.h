#pragma once

#include "app/outputfolder.h"
#include "tests/mainwindow/recordedshutdowns.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/mainwindow/testaccess.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

// A fresh main window whose output folder and input files lie in a temporary
// folder, with every box and dialog answered by ScriptedPrompts.
class WindowFixture
{
public:
    WindowFixture()
    {
        QDir().mkpath(inputFolder());
        setOutputFolder(outputFolderPath());
        window = std::make_unique<CQuillmora>();
    }

    QString inputFolder() const { return dir.path() + QStringLiteral("/in"); }
    QString outputFolderPath() const { return dir.path() + QStringLiteral("/out"); }

    // An input file of the given size (its content does not matter to the list).
    QString makeFile(const QString &name, qint64 size = 0) const
    {
        const QString path = inputFolder() + QLatin1Char('/') + name;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(size, 'x'));
        return path;
    }

    CQuillmoraTestAccess access() { return CQuillmoraTestAccess(*window); }

    QToolButton *button(const QString &objectName) const
    {
        return window->findChild<QToolButton *>(objectName);
    }

    // Chooses a format by its button and answers the file dialog with the paths.
    void chooseFiles(const QString &buttonName, const QStringList &paths)
    {
        prompts.fileAnswers.append(paths);
        QToolButton *formatButton = button(buttonName);
        QVERIFY2(formatButton, qPrintable(buttonName));
        formatButton->click();
    }

    // Drops local files on the window as a file manager would.
    void drop(const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
    }

    // A real mouse click on a cell, as a user selects a row.
    void clickRow(int row)
    {
        if (!window->isVisible()) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
        QTableWidget *table = access().table();
        const QRect cell = table->visualItemRect(table->item(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    RecordedShutdowns shutdowns;
    std::unique_ptr<CQuillmora> window;
};
