#include "app/folderwalk.h"
#include "tests/support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The walk of a folder, as the window and the batch mode both see it, on a
// made-up tree of empty files.
class TestFolderWalk : public QObject
{
    Q_OBJECT

private slots:
    void nameOrder_data();
    void nameOrder();
    void walksATree();
};

void TestFolderWalk::nameOrder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("numbers by value") << "2.flac" << "10.flac";
    QTest::newRow("numbers inside names") << "Track 9 b" << "Track 10 a";
    QTest::newRow("case ignored") << "album" << "Beta";
    QTest::newRow("longer than 64 bits") << "99" << "123456789012345678901234";
    QTest::newRow("leading zeros tie, then break it") << "007" << "7";
    QTest::newRow("a prefix first") << "Disc" << "Disc 1";
    QTest::newRow("digits before letters") << "1a" << "a";
    QTest::newRow("case breaks a tie") << "ABC" << "abc";
}

void TestFolderWalk::nameOrder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(compareNames(first, second) < 0);
    QVERIFY(compareNames(second, first) > 0);
    QCOMPARE(compareNames(first, first), 0);
}

void TestFolderWalk::walksATree()
{
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Music");
    const QString outside = dir.path() + QStringLiteral("/elsewhere");
    for (const QString &folder : QStringList{root + "/Artist/Album", root + "/.cache", root + "/locked", outside})
        QVERIFY(QDir().mkpath(folder));
    for (const char *file : {"10 Ten.flac", "2 Two.flac", "b.FLAC", ".hidden.flac", "notes.txt",
                                "Artist/Album/01.flac", ".cache/c.flac", "locked/l.flac"})
        QVERIFY(testsupport::writeFile(root + '/' + QLatin1String(file), {}));
    QVERIFY(testsupport::writeFile(outside + "/far.flac", {}));
    QVERIFY(QFile::link(root + "/Artist", root + "/zLinkToArtist")); // walked already under its name
    QVERIFY(QFile::link(root, root + "/Artist/Album/loop"));         // back up: never a loop
    QVERIFY(QFile::link(outside, root + "/Outside"));                 // out of the tree: once
    QVERIFY(QFile::link(root + "/gone", root + "/broken.flac"));
    QVERIFY(QFile::link(root + "/b.FLAC", root + "/c link.flac"));    // a link to a file is that file

    const testsupport::UnreadableFolder locked(root + "/locked");
    QVERIFY(locked.holds());
    const FolderWalk walk = walkFolder(root + '/', [](const QString &name) {
        return name.endsWith(QLatin1String(".flac"), Qt::CaseInsensitive);
    });

    QStringList found;
    for (const FoundFile &file : walk.files)
        found << file.path.mid(root.size() + 1) + " in '" + file.subfolder + "'";
    QCOMPARE(found, QStringList({"2 Two.flac in ''", "10 Ten.flac in ''", "Artist/Album/01.flac in 'Artist/Album'",
                                 "b.FLAC in ''", "c link.flac in ''", "Outside/far.flac in 'Outside'"}));
    QCOMPARE(walk.unreadable, QStringList{root + "/locked"});

    // The output folder inside the tree is passed over: a run's outputs are not the next run's inputs.
    const FolderWalk withoutArtist = walkFolder(root, [](const QString &) { return true; }, root + "/Artist");
    QVERIFY(std::none_of(withoutArtist.files.cbegin(), withoutArtist.files.cend(),
                         [](const FoundFile &file) { return file.subfolder.contains("Album"); }));
    QVERIFY(!withoutArtist.files.isEmpty());
    // The output folder given as the tree itself: outputs go beside their sources, the tree is walked.
    const auto all = [](const QString &) { return true; };
    QCOMPARE(walkFolder(root, all, root + "/").files.size(), walkFolder(root, all).files.size());

    // A folder that cannot be read is said to be so, also when it is the one given.
    QCOMPARE(walkFolder(root + "/locked", [](const QString &) { return true; }).unreadable,
             QStringList{root + "/locked"});
}

QTEST_GUILESS_MAIN(TestFolderWalk)
#include "tst_folderwalk.moc"
