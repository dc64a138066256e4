#include "platform/progressshare.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

class TestProgressShare : public QObject
{
    Q_OBJECT

private slots:
    void init() { name = QStringLiteral("/QuillmoraTest.%1.%2").arg(getuid()).arg(getpid()); }
    void cleanup() { shm_unlink(name.toLocal8Bit().constData()); }

    void namesArePerUser();
    void writerAndReaderShareTheBlock();
    void clearZeroesAllBytes();
    void blockIsPrivateToItsUser();
    void absentBlockReadsZero();

private:
    QString name;
};

void TestProgressShare::namesArePerUser()
{
    const QString uid = QString::number(getuid());
    QCOMPARE(ProgressShare::nameOf(ProgressShare::Block::Ffmpeg), "/FFMPEGSHARE." + uid);
    QCOMPARE(ProgressShare::nameOf(ProgressShare::Block::Convert), "/CONVERTSHARE." + uid);
}

void TestProgressShare::writerAndReaderShareTheBlock()
{
    ProgressShare reader;
    ProgressShare writer;
    QVERIFY(reader.open(name));
    QVERIFY(writer.open(name));
    for (int value : {0, 57, 100, 250, -1}) {
        writer.setPercent(value);
        QCOMPARE(reader.percent(), value);
    }
}

void TestProgressShare::clearZeroesAllBytes()
{
    ProgressShare share;
    QVERIFY(share.open(name));
    share.setPercent(42);
    const int fd = shm_open(name.toLocal8Bit().constData(), O_RDWR, 0);
    QVERIFY(fd >= 0);
    auto *bytes = static_cast<unsigned char *>(mmap(nullptr, 256, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    ::close(fd);
    QVERIFY(bytes != MAP_FAILED);
    QCOMPARE(int(bytes[0]), 42); // little-endian at offset 0
    bytes[255] = 7;
    share.clear();
    QCOMPARE(share.percent(), 0);
    for (int i = 0; i < 256; ++i)
        QCOMPARE(int(bytes[i]), 0);
    munmap(bytes, 256);
}

void TestProgressShare::blockIsPrivateToItsUser()
{
    ProgressShare share;
    QVERIFY(share.open(name));
    struct stat status {};
    const int fd = shm_open(name.toLocal8Bit().constData(), O_RDONLY, 0);
    QVERIFY(fd >= 0);
    QCOMPARE(fstat(fd, &status), 0);
    ::close(fd);
    QCOMPARE(int(status.st_mode & 0777), 0600);
    QCOMPARE(int(status.st_size), 256);
}

void TestProgressShare::absentBlockReadsZero()
{
    // A block that others may write is not trusted.
    const int fd = shm_open(name.toLocal8Bit().constData(), O_RDWR | O_CREAT, 0666);
    QVERIFY(fd >= 0);
    fchmod(fd, 0666);
    ::close(fd);
    ProgressShare share;
    QVERIFY(!share.open(name));
    QVERIFY(!share.isPresent());
    share.setPercent(5);
    share.clear();
    QCOMPARE(share.percent(), 0);
}

QTEST_APPLESS_MAIN(TestProgressShare)
#include "tst_progressshare.moc"
