#include "tools/transcoder/concatlist.h"

#include <QDir>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// One token as ffmpeg's av_get_token reads it: quotes keep everything up to
// the next quote, a backslash keeps the next character, blanks end it.
QString readToken(const QString &line, int *at)
{
    int i = *at;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    QString token;
    while (i < line.size() && !isBlank(line[i])) {
        const QChar c = line[i++];
        if (c == QLatin1Char('\\')) {
            if (i < line.size())
                token += line[i++];
        } else if (c == QLatin1Char('\'')) {
            while (i < line.size() && line[i] != QLatin1Char('\''))
                token += line[i++];
            ++i; // the closing quote
        } else {
            token += c;
        }
    }
    *at = i;
    return token;
}

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
        const QString keyword = readToken(line, &at);
        if (keyword == QLatin1String("ffconcat"))
            continue;
        if (keyword != QLatin1String("file")) {
            *error = QStringLiteral("line %1 of the join list is not a \"file\" line").arg(lineNumber);
            return false;
        }
        const QString path = readToken(line, &at);
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

bool canListPath(const QString &path)
{
    return !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'));
}

QByteArray formatConcatList(const QStringList &files)
{
    QByteArray text;
    for (QString path : files) {
        path.replace(QLatin1String("'"), QLatin1String("'\\''"));
        text += "file '" + path.toUtf8() + "'\n";
    }
    return text;
}
