// Where a program in bin and the programs among the tools (quillmora-convert,
// quillmora-window) find the parts of an installation: both find the same
// tools and translations.
#include "app/installlayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestInstallLayout : public QObject
{
    Q_OBJECT

private slots:
    void bothProgramsFindTheSameParts();
};

void TestInstallLayout::bothProgramsFindTheSameParts()
{
    QTemporaryDir prefix;
    const QString bin = prefix.path() + "/bin";
    const QString tools = prefix.path() + "/lib/quillmora";
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(tools));
    QFile transcoder(tools + "/transcoder");
    QVERIFY(transcoder.open(QIODevice::WriteOnly));
    QVERIFY(transcoder.setPermissions(transcoder.permissions() | QFile::ExeOwner));
    const QString translations = prefix.path() + "/share/quillmora/translations";

    for (const QString &programFolder : {bin, tools}) {
        QCOMPARE(toolsFolder(programFolder), tools);
        QCOMPARE(windowProgram(programFolder), tools + "/quillmora-window");
        QCOMPARE(convertProgram(programFolder), tools + "/quillmora-convert");
        QCOMPARE(installedTranslationsFolder(programFolder), translations);
    }
}

QTEST_GUILESS_MAIN(TestInstallLayout)
#include "tst_installlayout.moc"
