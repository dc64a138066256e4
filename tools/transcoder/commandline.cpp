#include "tools/transcoder/commandline.h"

namespace commandline {

bool takeOption(QStringList *arguments, const QString &name, QString *value)
{
    const QString bare = QStringLiteral("--") + name;
    for (int i = 0; i < arguments->size() && arguments->at(i).startsWith(QLatin1String("--")); ++i) {
        const QString &argument = arguments->at(i);
        if (argument != bare && !argument.startsWith(bare + u'='))
            continue;
        if (value)
            *value = argument.mid(bare.size() + 1);
        arguments->removeAt(i);
        return true;
    }
    return false;
}

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
