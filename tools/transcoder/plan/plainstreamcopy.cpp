#include "tools/transcoder/plan/plainstreamcopy.h"

namespace {

enum class Choice { Unsaid, Copy, Drop };

} // namespace

std::optional<PlainStreamCopy> plainStreamCopyOf(const QStringList &arguments)
{
    std::optional<QString> input;
    Choice video = Choice::Unsaid, audio = Choice::Unsaid;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        const QString value = i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
        if (option == u"-y" || option == u"-vn" || option == u"-an") {
            if (option == u"-vn")
                video = Choice::Drop;
            else if (option == u"-an")
                audio = Choice::Drop;
            continue;
        }
        if (value.isNull())
            return std::nullopt;
        ++i;
        if (option == u"-i" && !input) {
            input = value;
        } else if ((option == u"-vcodec" || option == u"-c:v") && value == u"copy") {
            video = Choice::Copy;
        } else if ((option == u"-acodec" || option == u"-c:a") && value == u"copy") {
            audio = Choice::Copy;
        } else if ((option == u"-map_metadata" || option == u"-map_chapters") && value == u"0") {
        } else if (option != u"-threads" && option != u"-preset") { // encoders' options, unused by a copy
            return std::nullopt;
        }
    }
    if (!input || video == Choice::Unsaid || audio == Choice::Unsaid
        || (video == Choice::Drop && audio == Choice::Drop))
        return std::nullopt;
    return PlainStreamCopy{*input, video == Choice::Copy, audio == Choice::Copy};
}
