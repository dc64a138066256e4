#include "tools/transcoder/plan/textrecode.h"

#include <QFile>

#include <iconv.h>

#include <cerrno>

namespace {

// The whole text through iconv; invalid or cut-off sequences end the
// conversion with an error rather than a silently shortened subtitle.
bool convertToUtf8(const QByteArray &source, const QString &codePage, QByteArray *result, QString *error)
{
    const iconv_t converter = iconv_open("UTF-8", codePage.toLatin1().constData());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        *error = QStringLiteral("the code page %1 is unknown").arg(codePage);
        return false;
    }
    QByteArray input = source;
    char *in = input.data();
    size_t inLeft = size_t(input.size());
    result->resize(input.size() * 4 + 16); // no code page grows by more than that in UTF-8
    char *out = result->data();
    size_t outLeft = size_t(result->size());
    const size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    const int failure = errno;
    iconv_close(converter);
    if (converted == size_t(-1)) {
        *error = failure == EILSEQ || failure == EINVAL
            ? QStringLiteral("the subtitle file is not written in %1").arg(codePage)
            : QStringLiteral("the subtitle file cannot be converted from %1").arg(codePage);
        return false;
    }
    result->resize(result->size() - int(outLeft));
    return true;
}

} // namespace

bool writeRecodedText(const TextRecode &recode, QString *error)
{
    QFile source(recode.sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(recode.sourcePath, source.errorString());
        return false;
    }
    QByteArray text;
    if (!convertToUtf8(source.readAll(), recode.codePage, &text, error))
        return false;

    QFile target(recode.targetPath);
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = QStringLiteral("cannot create %1: %2").arg(recode.targetPath, target.errorString());
        return false;
    }
    if (target.write(text) != text.size() || !target.flush()) {
        *error = QStringLiteral("cannot write %1: %2").arg(recode.targetPath, target.errorString());
        target.remove();
        return false;
    }
    return true;
}
