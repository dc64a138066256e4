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
        {{"width is zero", "height is zero", "negative or zero image size", "zero-length"},
         "the picture has a width or a height of zero pixels"},
        {{"exceeds user limit", "exceeds limit", "cache resources exhausted",
          "memory allocation failed", "too many pixels", "resource limit"},
         "the picture is too large: it has more pixels than the converter may handle"},
        {{"improper image header", "no decode delegate", "not a jpeg file", "not a png file"},
         "the file is not a picture, or not one of a kind the converter reads"},
        {{"expected ", "read exception", "insufficient image data", "premature end",
          "unexpected end", "truncat", "crc error", "corrupt", "invalid", "incorrect", "bad ",
          "damaged"},
         "the picture is damaged or incomplete"},
    };
    return list;
}

// The exception texts: ImageMagick logs each on an indented line after the
// line that says where it arose; its plain messages start with the program's name.
QStringList exceptionsIn(const QByteArray &errorOutput)
{
    QStringList texts;
    for (const QByteArray &line : errorOutput.split('\n')) {
        QString text = QString::fromLocal8Bit(line);
        if (text.startsWith(u' '))
            text = text.trimmed();
        else if (text.contains(QLatin1String(": ")) && !text.endsWith(QLatin1String("/Exception")))
            text = text.section(QLatin1String(": "), 1).section(QLatin1String(" @ "), 0, 0).trimmed();
        else
            continue;
        if (!text.isEmpty() && !text.startsWith(QLatin1String("no images defined")))
            texts.append(text);
    }
    return texts;
}

} // namespace

QString describeRefusal(const QByteArray &errorOutput, const QString &inputName)
{
    const QStringList exceptions = exceptionsIn(errorOutput);
    for (const Cause &cause : causes()) {
        for (const QString &exception : exceptions) {
            const QString lower = exception.toLower();
            for (const QString &mark : cause.marks) {
                if (lower.contains(mark)) {
                    return QStringLiteral("cannot convert %1: %2 (%3)")
                        .arg(inputName, QLatin1String(cause.words), exception.section(QLatin1String(" `"), 0, 0));
                }
            }
        }
    }
    if (!exceptions.isEmpty()) // without the file's name, which ImageMagick quotes after it
        return QStringLiteral("cannot convert %1: %2")
            .arg(inputName, exceptions.first().section(QLatin1String(" `"), 0, 0));
    return QStringLiteral("cannot convert %1: the converter gave no reason").arg(inputName);
}

QStringList magickLogArguments()
{
    return {QStringLiteral("-debug"), QStringLiteral("exception")};
}
