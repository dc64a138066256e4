#include "tools/transcoder/plan/ffmpegcommand.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Options of ffmpeg that take no value; every other option takes one.
bool isFlag(const QString &name)
{
    static const QStringList flags{"-y", "-n", "-vn", "-an", "-sn", "-dn", "-copyts", "-shortest",
                                   "-hide_banner", "-nostdin", "-re"};
    return flags.contains(name);
}

bool isOption(const QString &argument)
{
    return argument.size() > 1 && argument.startsWith(u'-');
}

// Reads options from arguments[*pos] up to stop (exclusive).
QList<CommandOption> readOptions(const QStringList &arguments, int begin, int end)
{
    QList<CommandOption> options;
    for (int i = begin; i < end; ++i) {
        CommandOption option;
        option.name = arguments[i];
        option.isFlag = isFlag(option.name) || !isOption(option.name) || i + 1 >= end;
        if (!option.isFlag)
            option.value = arguments[++i];
        options.append(option);
    }
    return options;
}

void appendOptions(QStringList *arguments, const QList<CommandOption> &options)
{
    for (const CommandOption &option : options) {
        arguments->append(option.name);
        if (!option.isFlag)
            arguments->append(option.value);
    }
}

} // namespace

bool FfmpegCommand::has(const QString &name) const
{
    return value(name) != nullptr;
}

const QString *FfmpegCommand::value(const QString &name) const
{
    for (const CommandOption &option : outputOptions) {
        if (option.name == name)
            return &option.value;
    }
    return nullptr;
}

void FfmpegCommand::set(const QString &name, const QString &value)
{
    for (CommandOption &option : outputOptions) {
        if (option.name == name) {
            option.value = value;
            return;
        }
    }
    outputOptions.append({name, value, false});
}

void FfmpegCommand::setFlag(const QString &name)
{
    if (!has(name))
        outputOptions.append({name, QString(), true});
}

void FfmpegCommand::remove(const QString &name)
{
    outputOptions.erase(std::remove_if(outputOptions.begin(), outputOptions.end(),
                                       [&](const CommandOption &option) { return option.name == name; }),
                        outputOptions.end());
}

QStringList FfmpegCommand::toArguments() const
{
    QStringList arguments;
    appendOptions(&arguments, inputOptions);
    arguments << QStringLiteral("-i") << inputPath;
    appendOptions(&arguments, outputOptions);
    arguments << outputPath;
    return arguments;
}

std::optional<FfmpegCommand> parseFfmpegCommand(const QStringList &arguments)
{
    // "-i" can only stand where an option name is expected.
    int inputAt = -1;
    for (int i = 0; i < arguments.size() && inputAt < 0; ++i) {
        if (arguments[i] == QLatin1String("-i"))
            inputAt = i;
        else if (isOption(arguments[i]) && !isFlag(arguments[i]))
            ++i;
    }
    if (inputAt < 0 || inputAt + 2 >= arguments.size())
        return std::nullopt;

    FfmpegCommand command;
    command.inputOptions = readOptions(arguments, 0, inputAt);
    command.inputPath = arguments[inputAt + 1];
    command.outputOptions = readOptions(arguments, inputAt + 2, arguments.size() - 1);
    command.outputPath = arguments.back();
    return command;
}

QSize parseFrameSize(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(R"(^(\d+)x(\d+)$)"));
    const QRegularExpressionMatch match = form.match(text);
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

double parseRate(const QString &text)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() == 2)
        return parts[1].toDouble() != 0 ? parts[0].toDouble() / parts[1].toDouble() : 0;
    return text.toDouble();
}

double parseAspect(const QString &text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() == 2)
        return parts[1].toDouble() > 0 ? parts[0].toDouble() / parts[1].toDouble() : 0;
    return text.toDouble();
}

std::optional<double> parseDuration(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^(-)?(?:(?:(\d+):)?(\d+):)?(\d+(?:\.\d*)?|\.\d+)$)"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const double seconds = match.captured(2).toDouble() * 3600 + match.captured(3).toDouble() * 60
        + match.captured(4).toDouble();
    return match.captured(1).isEmpty() ? seconds : -seconds;
}
