#pragma once

#include "app/outputfolder.h"
#include "tests/mainwindow/recordedshutdowns.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/mainwindow/testaccess.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

// A fresh main window whose settings store, output folder, input files and
// kept job lists lie in a temporary folder (the lists in dataHome when one is
// given), with every box and dialog answered by ScriptedPrompts. The store
// holds the output folder and whatever else the test gives.
class WindowFixture
{
public:
    explicit WindowFixture(const QVariantMap &stored = {}, const QString &dataHome = {})
    {
        QDir().mkpath(inputFolder());
        qputenv("XDG_DATA_HOME", (dataHome.isEmpty() ? dir.path() + QStringLiteral("/data") : dataHome).toUtf8());
        useSettingsFolder(settingsFolder());
        QVariantMap values = stored;
        if (!values.contains(QStringLiteral("outFolder")))
            values.insert(QStringLiteral("outFolder"), outputFolderPath());
        {
            QSettings store = openStore();
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                store.setValue(it.key(), it.value());
        }
        window = std::make_unique<CQuillmora>();
    }

    // Points the native settings store of the whole process at a folder.
    static void useSettingsFolder(const QString &folder)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, folder + QStringLiteral("/system"));
    }

    static QSettings openStore()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Trolltech"),
                         QStringLiteral("Quillmora"));
    }

    QString inputFolder() const { return dir.path() + QStringLiteral("/in"); }
    QString outputFolderPath() const { return dir.path() + QStringLiteral("/out"); }
    QString settingsFolder() const { return dir.path() + QStringLiteral("/config"); }

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

    // A real mouse click on a cell, as a user selects a row; or a double click.
    void clickRow(int row, bool twice = false)
    {
        if (!window->isVisible()) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        }
        JobTable *table = access().table();
        const QPoint cell = table->visualRect(table->model()->index(row, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
        if (twice) { // the second press of a double click comes as one event of its own
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
            QTest::mouseRelease(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
        }
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    RecordedShutdowns shutdowns;
    std::unique_ptr<CQuillmora> window;
};
