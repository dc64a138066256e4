#include "resources/artwork/iconspec.h"

#include <QStringList>

namespace {

QList<int> parseSizes(const QString &field, bool *ok)
{
    QList<int> sizes;
    *ok = true;
    for (const QString &word : field.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int size = word.toInt(ok);
        if (!*ok || size <= 0) {
            *ok = false;
            return {};
        }
        sizes.append(size);
    }
    *ok = *ok && !sizes.isEmpty();
    return sizes;
}

} // namespace

QList<IconSpec> parseIconTable(const QString &tableText, QString *error)
{
    QList<IconSpec> specs;
    const QStringList lines = tableText.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('|'));
        const auto fail = [&](const QString &why) {
            *error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            return QList<IconSpec>();
        };
        if (fields.size() != 5)
            return fail(QStringLiteral("expected 5 fields separated by '|'"));
        IconSpec spec;
        spec.path = fields[0].trimmed();
        spec.painter = fields[1].trimmed();
        spec.text = fields[2].trimmed();
        if (spec.text == QLatin1String("-"))
            spec.text.clear();
        spec.colour = QColor(fields[3].trimmed());
        bool sizesOk = false;
        spec.displaySizes = parseSizes(fields[4], &sizesOk);
        if (spec.path.isEmpty() || !spec.path.endsWith(QLatin1String(".png")))
            return fail(QStringLiteral("the path must name a .png file"));
        if (!spec.colour.isValid())
            return fail(QStringLiteral("invalid colour '%1'").arg(fields[3].trimmed()));
        if (!sizesOk)
            return fail(QStringLiteral("display sizes must be positive numbers"));
        specs.append(spec);
    }
    return specs;
}
