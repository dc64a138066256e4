// Paints the images of the resource bundle from icons.table.
//   quillmora_artgen <icons.table> <output folder> [--contact-sheet <file.png>]
// Runs at build time, headless.
#include "resources/artwork/contactsheet.h"
#include "resources/artwork/painters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

namespace {

// Twice the largest size the interface shows the image at: sharp on a
// screen of twice the density, and no more pixels than that for the window
// to decode as it starts.
int imageSizeFor(const IconSpec &spec)
{
    return 2 * *std::max_element(spec.displaySizes.begin(), spec.displaySizes.end());
}

int fail(const QString &message)
{
    std::fprintf(stderr, "quillmora_artgen: %s\n", qPrintable(message));
    return 1;
}

// Missing fonts are substituted by fontconfig: the icons still build, but
// their text no longer looks as designed.
void warnAboutMissingFonts()
{
    const QStringList available = QFontDatabase::families();
    for (const char *family : {"DejaVu Sans", "Noto Sans CJK SC"}) {
        if (!available.contains(QLatin1String(family)))
            std::fprintf(stderr, "quillmora_artgen: warning: font family '%s' is not installed\n",
                         family);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // never needs a display
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool withSheet = args.size() == 5 && args[3] == QLatin1String("--contact-sheet");
    if (args.size() != 3 && !withSheet)
        return fail(QStringLiteral(
            "usage: quillmora_artgen <icons.table> <output folder> [--contact-sheet <file.png>]"));

    QFile tableFile(args[1]);
    if (!tableFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(args[1]));
    QString error;
    const QList<IconSpec> specs = parseIconTable(QString::fromUtf8(tableFile.readAll()), &error);
    if (specs.isEmpty())
        return fail(QStringLiteral("%1: %2").arg(args[1], error.isEmpty() ? "no icons" : error));

    warnAboutMissingFonts();
    const QDir output(args[2]);
    for (const IconSpec &spec : specs) {
        const PaintIcon paint = painterNamed(spec.painter);
        if (!paint)
            return fail(QStringLiteral("%1: unknown painter '%2'").arg(spec.path, spec.painter));
        const QString file = output.filePath(spec.path);
        if (!QDir().mkpath(QFileInfo(file).path()) || !renderIcon(spec, paint, imageSizeFor(spec)).save(file, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(file));
    }
    if (withSheet && !contactSheet(specs, output.path()).save(args[4], "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(args[4]));
    return 0;
}
