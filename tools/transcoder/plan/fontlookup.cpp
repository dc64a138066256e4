#include "tools/transcoder/plan/transcodeplan.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace {

struct PatternDeleter {
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};
struct CharSetDeleter {
    void operator()(FcCharSet *charSet) const { FcCharSetDestroy(charSet); }
};
using PatternPointer = std::unique_ptr<FcPattern, PatternDeleter>;
using CharSetPointer = std::unique_ptr<FcCharSet, CharSetDeleter>;

// The characters that need a glyph: blanks and control characters have none.
CharSetPointer charactersOf(const QString &text)
{
    CharSetPointer characters(FcCharSetCreate());
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isPrint(c) && !QChar::isSpace(c))
            FcCharSetAddChar(characters.get(), c);
    }
    return characters;
}

} // namespace

QString lookUpFont(const QString &family, const QString &text)
{
    if (!FcInit())
        return QString();
    const CharSetPointer wanted = charactersOf(text);
    const PatternPointer pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.toUtf8().constData()));
    if (FcCharSetCount(wanted.get()) > 0)
        FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted.get());
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    // fontconfig ranks fonts by how much of the text they cover, then by
    // family; the best may still miss characters.
    FcResult result = FcResultNoMatch;
    const PatternPointer match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8 *file = nullptr;
    FcCharSet *covered = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        return QString();
    if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &covered) != FcResultMatch
        || !FcCharSetIsSubset(wanted.get(), covered))
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char *>(file));
}
