#include "app/convertjob.h"
#include "engine/imagearguments.h"
#include "engine/joinparts.h"
#include "engine/joinworkspace.h"
#include "engine/passworkspace.h"
#include "engine/transcoderarguments.h"
#include "tests/support/files.h"
#include "tests/support/media.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::entriesOf;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

bool isPrivateFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.permissions() == (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                  | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

ConvertJob mp4Job()
{
    return makeJob(FormatMP4, defaultProfile(FormatMP4));
}

const ConversionPass singlePass{"/in.mp4", "/out.mp4", PassKind::Single};

} // namespace

class TestWorkspaces : public QObject
{
    Q_OBJECT

private slots:
    void listLines_data();
    void listLines();
    void ffmpegJoinsTheListedParts();
    void joinWorkspaceKeepsToItsOwnFolder();
    void joinWorkspaceRefusesWhatItCannotList();
    void joinPartFormat_data();
    void joinPartFormat();
    void passWorkspaceCopiesUnderTheFilterNames();
    void passWorkspaceCopiesOnlyWhatThePassUses();
    void passWorkspaceReportsAMissingFile();
    void imageArguments_data();
    void imageArguments();
};

void TestWorkspaces::listLines_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "/out/subvideo0.mp4" << "file '/out/subvideo0.mp4'";
    QTest::newRow("blank") << "/my out/subaudio1.mp3" << "file '/my out/subaudio1.mp3'";
    QTest::newRow("quote") << "/a/it's/x.mp4" << "file '/a/it'\\''s/x.mp4'";
    QTest::newRow("two quotes") << "/''/x.mp4" << "file '/'\\'''\\''/x.mp4'";
    QTest::newRow("backslash stays literal") << "/a\\b/x.mp4" << "file '/a\\b/x.mp4'";
    QTest::newRow("filter characters") << "/a,b;[c]:d/x.mp4" << "file '/a,b;[c]:d/x.mp4'";
}

void TestWorkspaces::listLines()
{
    QFETCH(QString, path);
    QFETCH(QString, line);
    QCOMPARE(concatListLine(path), line);
}

// The list that the workspace writes, read by FFmpeg's concat demuxer, in an
// output folder whose name holds a blank, a quote and a backslash.
void TestWorkspaces::ffmpegJoinsTheListedParts()
{
    QTemporaryDir root;
    const QString outputFolder = root.filePath("it's my \\ out");
    QVERIFY(QDir().mkpath(outputFolder));
    JoinWorkspace workspace(outputFolder, JoinKind::Video);
    QVERIFY2(workspace.isValid(), qPrintable(workspace.errorString()));
    testmedia::ClipSpec clip;
    clip.seconds = 0.5;
    for (int part = 0; part < 2; ++part) {
        QVERIFY(workspace.appendPart(part));
        QVERIFY(testmedia::makeClip(workspace.partPath(part), clip));
    }
    const QString joined = outputFolder + "/MergedVideo.mp4";
    QString errors;
    QVERIFY2(testmedia::runFfmpeg({"-f", "concat", "-safe", "0", "-i", workspace.listFilePath(),
                                   "-c", "copy", joined}, &errors),
             qPrintable(errors));
    const testmedia::Probe joinedProbe = testmedia::probe(joined);
    QVERIFY(joinedProbe.ok);
    QVERIFY(qAbs(joinedProbe.duration - 1.0) < 0.15);
}

void TestWorkspaces::joinWorkspaceKeepsToItsOwnFolder()
{
    QTemporaryDir output;
    // The user's own files of the names the join uses.
    QVERIFY(writeFile(output.filePath("file.txt"), "mine"));
    QVERIFY(writeFile(output.filePath("subvideo0.mp4"), "my video"));
    QString folder;
    {
        JoinWorkspace workspace(output.path(), JoinKind::Video);
        JoinWorkspace second(output.path(), JoinKind::Video);
        QVERIFY2(workspace.isValid(), qPrintable(workspace.errorString()));
        folder = workspace.folderPath();
        QCOMPARE(QFileInfo(folder).absolutePath(), QFileInfo(output.path()).absoluteFilePath());
        QVERIFY(QFileInfo(folder).fileName().startsWith('.'));
        QVERIFY(isPrivateFolder(folder));
        QVERIFY(second.folderPath() != folder);

        QCOMPARE(workspace.listFilePath(), folder + "/file.txt");
        QCOMPARE(workspace.partPath(0), folder + "/subvideo0.mp4");
        QCOMPARE(readFile(workspace.listFilePath()), QByteArray()); // starts empty
        QVERIFY(workspace.appendPart(0));
        // Flushed at once: readable while the list is still open.
        QCOMPARE(readFile(workspace.listFilePath()), ("file '" + folder + "/subvideo0.mp4'\n").toUtf8());
        QVERIFY(workspace.appendPart(1));
        QCOMPARE(readFile(workspace.listFilePath()).count('\n'), 2);
        QVERIFY(writeFile(workspace.partPath(0), "part"));
    }
    QVERIFY(!QFileInfo::exists(folder));
    QCOMPARE(entriesOf(output.path()), (QStringList{"file.txt", "subvideo0.mp4"}));
    QCOMPARE(readFile(output.filePath("file.txt")), QByteArray("mine"));
    QCOMPARE(readFile(output.filePath("subvideo0.mp4")), QByteArray("my video"));

    JoinWorkspace audio(output.path(), JoinKind::Audio);
    QVERIFY(audio.partPath(3).endsWith("/subaudio3.mp3"));
    audio.remove(); // explicit, then again by the destructor
    QVERIFY(!QFileInfo::exists(audio.folderPath()));
    QCOMPARE(entriesOf(output.path()).size(), 2);
}

void TestWorkspaces::joinWorkspaceRefusesWhatItCannotList()
{
    QTemporaryDir root;
    const JoinWorkspace missing(root.filePath("no such folder"), JoinKind::Video);
    QVERIFY(!missing.isValid());
    QVERIFY(!missing.errorString().isEmpty());

    const QString broken = root.filePath("two\nlines");
    QVERIFY(QDir().mkdir(broken));
    {
        const JoinWorkspace workspace(broken, JoinKind::Audio);
        QVERIFY(!workspace.isValid());
    }
    QVERIFY(entriesOf(broken).isEmpty());
}

void TestWorkspaces::joinPartFormat_data()
{
    QTest::addColumn<int>("joiner");
    QTest::addColumn<int>("formatId");
    QTest::addColumn<int>("category");
    QTest::newRow("video") << int(FormatVideoJoiner) << int(FormatMP4) << int(Video);
    QTest::newRow("audio") << int(FormatAudioJoiner) << int(FormatMP3) << int(Audio);
}

void TestWorkspaces::joinPartFormat()
{
    QFETCH(int, joiner);
    QFETCH(int, formatId);
    QFETCH(int, category);
    const ConvertJob job = makeJob(joiner, defaultProfile(joiner));
    const ConvertJob part = withJoinPartFormat(job);
    QCOMPARE(part.formatId, formatId);
    QCOMPARE(part.profile.formatId, formatId);
    QCOMPARE(part.profile.category, category);
    for (int field = 2; field < OutputProfile::FieldCount; ++field)
        QCOMPARE(part.profile.field(field), job.profile.field(field));
    // Applying it again (the rest of the row) changes nothing.
    QCOMPARE(withJoinPartFormat(part).profile, part.profile);
    QCOMPARE(joinKindOf(part.profile), joinKindOf(job.profile));
}

void TestWorkspaces::passWorkspaceCopiesUnderTheFilterNames()
{
    QTemporaryDir user;
    QTemporaryDir temp;
    // Same plain name for both; the subtitle copy must get another.
    const QString picture = user.filePath("same.png");
    QVERIFY(QDir().mkdir(user.filePath("subs")));
    const QString subtitles = user.filePath("subs/same.png");
    QVERIFY(writeFile(picture, "picture"));
    QVERIFY(writeFile(subtitles, "subtitles"));

    ConvertJob job = mp4Job();
    job.edit.watermark.imagePath = picture;
    job.edit.subtitlePath = subtitles;
    const QString chain = buildTranscoderArguments(job, singlePass).join(' ');
    QString folder;
    {
        const PassWorkspace workspace(job, singlePass, temp.path());
        QVERIFY2(workspace.isValid(), qPrintable(workspace.errorString()));
        folder = workspace.path();
        QVERIFY(isPrivateFolder(folder));
        const QStringList copies = entriesOf(folder);
        QCOMPARE(copies, (QStringList{"same.png", "subtitles.png"}));
        QVERIFY(chain.contains("movie=same.png["));
        QVERIFY(chain.contains("subtitles=subtitles.png:"));
        QCOMPARE(readFile(folder + "/same.png"), QByteArray("picture"));
        QCOMPARE(readFile(folder + "/subtitles.png"), QByteArray("subtitles"));
    }
    QVERIFY(!QFileInfo::exists(folder));
    QCOMPARE(readFile(picture), QByteArray("picture"));
    QCOMPARE(readFile(subtitles), QByteArray("subtitles"));
    QCOMPARE(entriesOf(user.path()), (QStringList{"same.png", "subs"}));

    job.edit.watermark.imagePath = user.filePath("my logo's.png");
    QVERIFY(writeFile(job.edit.watermark.imagePath, "logo"));
    const PassWorkspace renamed(job, singlePass, temp.path());
    QCOMPARE(entriesOf(renamed.path()), (QStringList{"same.png", "watermark.png"}));
}

void TestWorkspaces::passWorkspaceCopiesOnlyWhatThePassUses()
{
    QTemporaryDir user;
    QVERIFY(writeFile(user.filePath("logo.png"), "logo"));
    for (int formatId : {int(FormatDV), int(FormatMP3), int(FormatVideoJoiner), int(FormatGifMaker)}) {
        ConvertJob job = makeJob(formatId, defaultProfile(formatId));
        job.edit.watermark.imagePath = user.filePath("logo.png");
        job.edit.subtitlePath = user.filePath("missing.srt"); // unused, so no failure
        const PassWorkspace workspace(job, singlePass, user.path());
        QVERIFY(workspace.isValid());
        QVERIFY(entriesOf(workspace.path()).isEmpty());
    }
}

void TestWorkspaces::passWorkspaceReportsAMissingFile()
{
    QTemporaryDir temp;
    ConvertJob job = mp4Job();
    job.edit.subtitlePath = temp.filePath("gone.srt");
    const PassWorkspace workspace(job, singlePass, temp.path());
    QVERIFY(!workspace.isValid());
    QVERIFY(workspace.errorString().contains("gone.srt"));

    const PassWorkspace nowhere(mp4Job(), singlePass, temp.filePath("no such folder"));
    QVERIFY(!nowhere.isValid());
    QVERIFY(nowhere.path().isEmpty());
}

void TestWorkspaces::imageArguments_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("expectedInput"); // "%1" stands for the folder
    QTest::newRow("existing PSD in capitals") << "photo.PSD" << true << "%1/photo.PSD[0]";
    QTest::newRow("existing psd") << "layers.psd" << true << "%1/layers.psd[0]";
    QTest::newRow("missing psd unchanged") << "gone.psd" << false << "%1/gone.psd";
    QTest::newRow("BMP unchanged") << "picture.bmp" << true << "%1/picture.bmp";
}

void TestWorkspaces::imageArguments()
{
    QFETCH(QString, name);
    QFETCH(bool, create);
    QFETCH(QString, expectedInput);
    QTemporaryDir folder;
    const QString input = folder.filePath(name);
    if (create)
        QVERIFY(writeFile(input, "x"));
    const QString output = folder.filePath("out.jpg");
    QCOMPARE(buildImageArguments({input, output, PassKind::Single}),
             (QStringList{expectedInput.arg(folder.path()), output}));
}

QTEST_GUILESS_MAIN(TestWorkspaces)
#include "tst_workspaces.moc"
