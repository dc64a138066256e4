#include "tools/transcoder/concatlist.h"

#include "engine/ffmpegtoken.h"
#include "engine/joinparts.h"

#include <QDir>

namespace {

// The demuxer reads each word of a line as an FFmpeg token ended by a blank.
const QStringView wordEnd = u" \t\r\n";

} // namespace

bool parseConcatList(const QByteArray &text, const QString &listFolder, QStringList *files, QString *error)
{
    files->clear();
    const QDir folder(listFolder);
    int lineNumber = 0;
    for (const QByteArray &rawLine : text.split('\n')) {
        ++lineNumber;
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        int at = 0;
        const QString keyword = readFfmpegToken(line, at, wordEnd);
        if (keyword == QLatin1String("ffconcat"))
            continue;
        if (keyword != QLatin1String("file")) {
            *error = QStringLiteral("line %1 of the join list is not a \"file\" line").arg(lineNumber);
            return false;
        }
        const QString path = readFfmpegToken(line, at, wordEnd);
        if (path.isEmpty()) {
            *error = QStringLiteral("line %1 of the join list names no file").arg(lineNumber);
            return false;
        }
        files->append(QDir::cleanPath(folder.absoluteFilePath(path)));
    }
    if (files->isEmpty()) {
        *error = QStringLiteral("the join list names no file");
        return false;
    }
    return true;
}

QByteArray formatConcatList(const QStringList &files)
{
    QString text;
    for (const QString &path : files)
        text += concatListLine(path) + u'\n';
    return text.toUtf8();
}
