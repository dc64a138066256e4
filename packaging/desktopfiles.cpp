// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the application's desktop entry and its icon in the hicolor theme,
// painted from the "res/Quillmora.png" row of icons.table at every size.
//   quillmora_desktopfiles <icons.table> <desktop id> <output folder>
// Runs at build time, headless.
#include "packaging/desktopentry.h"
#include "resources/artwork/painters.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

const int pixelSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

int fail(const QString &message)
{
    std::fprintf(stderr, "quillmora_desktopfiles: %s\n", qPrintable(message));
    return 1;
}

bool writeSvg(const IconSpec &spec, PaintIcon paint, const QString &file)
{
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRectF(0, 0, 100, 100));
    svg.setTitle(QStringLiteral("Quillmora"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, spec);
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return fail(QStringLiteral("usage: quillmora_desktopfiles <icons.table> <desktop id> <output folder>"));
    const QString id = args[2];
    const QDir output(args[3]);

    QFile tableFile(args[1]);
    if (!tableFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(args[1]));
    QString error;
    const QList<IconSpec> specs = parseIconTable(QString::fromUtf8(tableFile.readAll()), &error);
    const auto mark = std::find_if(specs.begin(), specs.end(), [](const IconSpec &spec) {
        return spec.path == QLatin1String("res/Quillmora.png");
    });
    if (mark == specs.end())
        return fail(QStringLiteral("%1 has no res/Quillmora.png %2").arg(args[1], error));
    const PaintIcon paint = painterNamed(mark->painter);
    if (!paint)
        return fail(QStringLiteral("unknown painter '%1'").arg(mark->painter));

    for (int size : pixelSizes) {
        const QString folder = output.filePath(QStringLiteral("icons/hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !renderIcon(*mark, paint, size).save(folder + "/" + id + ".png", "PNG"))
            return fail(QStringLiteral("cannot write the %1 px icon into %2").arg(size).arg(folder));
    }
    const QString scalable = output.filePath(QStringLiteral("icons/hicolor/scalable/apps"));
    if (!QDir().mkpath(scalable) || !writeSvg(*mark, paint, scalable + "/" + id + ".svg"))
        return fail(QStringLiteral("cannot write the scalable icon into %1").arg(scalable));

    QFile entry(output.filePath(id + ".desktop"));
    if (!entry.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || entry.write(desktopEntryText(id).toUtf8()) < 0)
        return fail(QStringLiteral("cannot write %1").arg(entry.fileName()));
    return 0;
}
