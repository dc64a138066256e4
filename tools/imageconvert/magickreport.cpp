#include "tools/imageconvert/magickreport.h"

#include <QList>
#include <QStringList>

namespace {

struct Cause {
    QStringList marks; // any of these in a logged exception, in lower case
    const char *words;
};

// In order of precedence: a damaged header also fails the reading of the
// pixels, so the first cause found names the real fault.
const QList<Cause> &causes()
{
    static const QList<Cause> list{
        {{"width is zero", "height is zero", "empty jpeg image", "zero-length"},
         "the picture has a width or a height of zero pixels"},
        {{"exceeds user limit", "exceeds limit", "cache resources exhausted",
          "memory allocation failed", "too many pixels", "resource limit"},
         "the picture is too large: it has more pixels than the converter may handle"},
        {{"improper image header", "no decode delegate", "not a jpeg file", "not a png file"},
         "the file is not a picture, or not one of a kind the converter reads"},
        {{"expected ", "read exception", "insufficient image data", "premature end",
          "unexpected end", "truncat", "crc error", "corrupt", "invalid", "incorrect", "bad ",
          "bogus", "not defined", "out of range", "damaged"},
         "the picture is damaged or incomplete"},
        // Said of any picture read as nothing, whatever stopped the reading.
        {{"negative or zero image size"},
         "the picture is damaged, or has a width or a height of zero pixels"},
    };
    return list;
}

struct Exception {
    QString text; // without the file's name, which ImageMagick quotes after it
    QString file;
};

// The exceptions: ImageMagick logs each on an indented line after the line
// that says where it arose; its plain messages start with the program's name.
QList<Exception> exceptionsIn(const QByteArray &errorOutput)
{
    QList<Exception> exceptions;
    for (const QByteArray &line : errorOutput.split('\n')) {
        QString text = QString::fromLocal8Bit(line);
        if (text.startsWith(u' '))
            text = text.trimmed();
        else if (text.contains(QLatin1String(": ")) && !text.endsWith(QLatin1String("/Exception")))
            text =
                text.section(QLatin1String(": "), 1).section(QLatin1String(" @ "), 0, 0).trimmed();
        else
            continue;
        if (text.isEmpty() || text.startsWith(QLatin1String("no images defined")))
            continue;
        const qsizetype quote = text.indexOf(QLatin1String(" `"));
        const QString file = quote < 0 ? QString() : text.mid(quote + 2).section(u'\'', 0, 0);
        exceptions.append({quote < 0 ? text : text.left(quote), file});
    }
    return exceptions;
}

// ImageMagick quotes the names it was given, in which "%%" stands for "%".
bool sameName(QString quoted, QString name)
{
    return quoted.replace(QLatin1String("%%"), QLatin1String("%"))
           == name.replace(QLatin1String("%%"), QLatin1String("%"));
}

} // namespace

QString describeRefusal(const QByteArray &errorOutput, const QString &inputName,
                        const QString &writtenTo)
{
    // A picture that could not be read is still written, empty: what the
    // writer says of it ("width is zero", "memory allocation failed") is no
    // fault of the input, and counts only when nothing else was said.
    QList<Exception> exceptions;
    QList<Exception> written;
    for (const Exception &exception : exceptionsIn(errorOutput))
        (sameName(exception.file, writtenTo) ? written : exceptions).append(exception);
    if (exceptions.isEmpty())
        exceptions = written;
    for (const Cause &cause : causes()) {
        for (const Exception &exception : exceptions) {
            const QString lower = exception.text.toLower();
            for (const QString &mark : cause.marks) {
                if (lower.contains(mark)) {
                    return QStringLiteral("cannot convert %1: %2 (%3)")
                        .arg(inputName, QLatin1String(cause.words), exception.text);
                }
            }
        }
    }
    if (!exceptions.isEmpty())
        return QStringLiteral("cannot convert %1: %2").arg(inputName, exceptions.first().text);
    return QStringLiteral("cannot convert %1: the converter gave no reason").arg(inputName);
}

QStringList magickLogArguments()
{
    return {QStringLiteral("-debug"), QStringLiteral("exception")};
}
