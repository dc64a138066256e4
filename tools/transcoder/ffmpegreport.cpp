#include "tools/transcoder/ffmpegreport.h"

#include <QRegularExpression>

namespace {

// In lower case; each seen in ffmpeg's output for a damaged file.
const char *const damageMarks[] = {
    "invalid data found", "error while decoding", "ended prematurely", "truncating packet",
    "invalid nal unit",   "header missing",       "after eof",         "corrupt",
    "exceeds containing", "error splitting",      "invalid residual",  "decode error rate",
};

} // namespace

QString damageReported(const QByteArray &errorOutput)
{
    static const QRegularExpression origin(QStringLiteral("^\\[[^\\]]* @ 0x[0-9a-f]+\\] "));
    for (const QByteArray &line : errorOutput.split('\n')) {
        const QString text = QString::fromLocal8Bit(line).trimmed().remove(origin);
        const QString lower = text.toLower();
        for (const char *mark : damageMarks) {
            if (lower.contains(QLatin1String(mark)))
                return text;
        }
    }
    return QString();
}
