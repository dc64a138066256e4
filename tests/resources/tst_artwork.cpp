// The images of the resource bundle: every path the interface names loads,
// in both spellings it uses, as a sensible icon; the format icons can be told
// apart and their names are drawn.
#include <QImage>
#include <QPixmap>
#include <QtTest>

namespace {

// The format buttons' icons; the "Advanced" tab reuses mp4, mp3 and gif.
const char *const formatIcons[] = {
    "mp4", "flv", "avi", "dv", "mkv", "mov", "mpg", "vob", "wmv", "rm", "webm", "hevc", "av1",
    "mp3", "aac", "ac3", "mp2", "wma", "aiff", "au", "m4a", "ogg", "flac", "opus",
    "jpeg", "png", "BMP", "gif", "pcx", "tga", "ico", "tiff", "webp", "avif",
    "android", "ipad",
};

enum Label { NoLabel, RibbonLabel, BadgeLabel };

// The band (fractions of the height) in which a label's white ink lies.
struct Band {
    double top;
    double bottom;
};
const Band ribbonBand{0.60, 0.84};
const Band badgeBand{0.30, 0.70};

struct BundleImage {
    const char *path;  // below ":/res/", without ".png"
    int displaySize;   // smallest size at which the interface shows it
    Label label;       // where it carries a name in white
};

const BundleImage bundleImages[] = {
    {"mp4", 80, RibbonLabel}, {"flv", 80, RibbonLabel}, {"avi", 80, RibbonLabel}, {"dv", 80, RibbonLabel},
    {"mkv", 80, RibbonLabel}, {"mov", 80, RibbonLabel}, {"mpg", 80, RibbonLabel}, {"vob", 80, RibbonLabel},
    {"wmv", 80, RibbonLabel}, {"rm", 80, RibbonLabel}, {"webm", 80, RibbonLabel}, {"hevc", 80, RibbonLabel},
    {"av1", 80, RibbonLabel},
    {"mp3", 80, RibbonLabel}, {"aac", 80, RibbonLabel}, {"ac3", 80, RibbonLabel}, {"mp2", 80, RibbonLabel},
    {"wma", 80, RibbonLabel}, {"aiff", 80, RibbonLabel}, {"au", 80, RibbonLabel}, {"m4a", 80, RibbonLabel},
    {"ogg", 80, RibbonLabel}, {"flac", 80, RibbonLabel}, {"opus", 80, RibbonLabel},
    {"jpeg", 80, RibbonLabel}, {"png", 80, RibbonLabel}, {"BMP", 80, RibbonLabel}, {"gif", 80, RibbonLabel},
    {"pcx", 80, RibbonLabel}, {"tga", 80, RibbonLabel}, {"ico", 80, RibbonLabel}, {"tiff", 80, RibbonLabel},
    {"webp", 80, RibbonLabel}, {"avif", 80, RibbonLabel},
    {"android", 80, NoLabel}, {"ipad", 80, NoLabel},
    {"adept_purge", 20, NoLabel}, {"cancel", 20, NoLabel}, {"convert", 20, NoLabel},
    {"stop", 20, NoLabel}, {"edit", 20, NoLabel}, {"setting", 20, NoLabel},
    {"folder_documents", 20, NoLabel}, {"About", 20, NoLabel},
    {"englishlang", 20, BadgeLabel}, {"chinalang", 20, BadgeLabel}, {"japanlang", 20, BadgeLabel},
    {"Quillmora", 16, NoLabel}, {"success", 35, NoLabel}, {"fail", 35, NoLabel},
    {"VideoPlayer/video_previous", 45, NoLabel}, {"VideoPlayer/video_play", 45, NoLabel},
    {"VideoPlayer/video_pause", 45, NoLabel}, {"VideoPlayer/video_next", 45, NoLabel},
    {"VideoPlayer/video_icon", 16, NoLabel},
    {"GifMaker/left", 24, NoLabel}, {"GifMaker/right", 24, NoLabel},
    {"GifMaker/scroll_left", 20, NoLabel}, {"GifMaker/scroll_right", 20, NoLabel},
};

QImage iconAt(const QString &path, int size)
{
    return QImage(path)
        .scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

// Share of pixels that cover the icon (mostly opaque).
double coverage(const QImage &image)
{
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) > 128;
    return double(covered) / (image.width() * image.height());
}

// Share of near-white pixels in a horizontal band.
double whiteInBand(const QImage &image, const Band &band)
{
    int white = 0;
    int total = 0;
    for (int y = int(band.top * image.height()); y < int(band.bottom * image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            white += qAlpha(p) > 200 && qRed(p) > 225 && qGreen(p) > 225 && qBlue(p) > 225;
            ++total;
        }
    }
    return double(white) / total;
}

// Pixels that a person sees as different: some channel differs by a sixth or more.
int visiblyDifferentPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int most = qMax(qMax(qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q))),
                                  qMax(qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))));
            count += most > 40;
        }
    }
    return count;
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void everyImageLoads_data();
    void everyImageLoads();
    void formatIconsArePairwiseDistinct();
};

void TestArtwork::everyImageLoads_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("displaySize");
    QTest::addColumn<int>("label");
    for (const BundleImage &image : bundleImages)
        QTest::newRow(image.path) << QString::fromLatin1(image.path) << image.displaySize
                                  << int(image.label);
}

void TestArtwork::everyImageLoads()
{
    QFETCH(QString, name);
    QFETCH(int, displaySize);
    QFETCH(int, label);

    // The interface writes both ":/res/x.png" and ":res/x.png".
    const QString path = QStringLiteral(":/res/%1.png").arg(name);
    QVERIFY2(!QPixmap(path).isNull(), qPrintable(path));
    QVERIFY(!QPixmap(QStringLiteral(":res/%1.png").arg(name)).isNull());

    const QImage image(path);
    QCOMPARE(image.width(), image.height());
    QVERIFY2(image.width() >= 2 * displaySize && image.width() <= 512,
             "large enough for a screen of twice the density, small enough for the bundle");
    QVERIFY2(image.hasAlphaChannel() && qAlpha(image.pixel(0, 0)) == 0,
             "the background must show through around the icon");

    const QImage shown = iconAt(path, displaySize);
    const double covered = coverage(shown);
    QVERIFY2(covered > 0.10 && covered < 0.97,
             qPrintable(QStringLiteral("%1 covers %2 of its box").arg(name).arg(covered)));
    if (label != NoLabel) {
        const double ink = whiteInBand(shown, label == RibbonLabel ? ribbonBand : badgeBand);
        QVERIFY2(ink > 0.05, qPrintable(QStringLiteral("%1: only %2 of its label band is text")
                                            .arg(name)
                                            .arg(ink)));
    }
}

void TestArtwork::formatIconsArePairwiseDistinct()
{
    QList<QImage> icons;
    for (const char *name : formatIcons)
        icons.append(iconAt(QStringLiteral(":/res/%1.png").arg(QLatin1String(name)), 80));
    // About 2% of the icon: more than one changed digit of a name (MP2 and
    // MP3 differ there in about 50 pixels), so neighbours also differ in colour.
    const int minimumDifference = 120;
    for (int i = 0; i < icons.size(); ++i) {
        for (int j = i + 1; j < icons.size(); ++j) {
            const int different = visiblyDifferentPixels(icons[i], icons[j]);
            QVERIFY2(different >= minimumDifference,
                     qPrintable(QStringLiteral("%1 and %2 differ in only %3 pixels")
                                    .arg(formatIcons[i], formatIcons[j])
                                    .arg(different)));
        }
    }
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
