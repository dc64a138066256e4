#include "tools/transcoder/commandline.h"

namespace commandline {

QString inputOf(const QStringList &arguments)
{
    const int at = arguments.indexOf(QStringLiteral("-i"));
    return at >= 0 ? arguments.value(at + 1) : QString();
}

bool isJoin(const QStringList &arguments)
{
    const int input = arguments.indexOf(QStringLiteral("-i"));
    for (int i = 0; i + 1 < input; ++i) {
        if (arguments[i] == QLatin1String("-f") && arguments[i + 1] == QLatin1String("concat"))
            return true;
    }
    return false;
}

TemporaryOutput::Existing outputExisting(const QStringList &arguments)
{
    return arguments.mid(0, arguments.size() - 1).contains(QStringLiteral("-y")) ? TemporaryOutput::Existing::Replace
                                                                                   : TemporaryOutput::Existing::Keep;
}

bool isComplete(const QStringList &arguments)
{
    const int input = arguments.indexOf(QStringLiteral("-i"));
    return input >= 0 && input + 2 < arguments.size() && !arguments[input + 1].isEmpty()
           && !arguments.last().isEmpty();
}

} // namespace commandline
