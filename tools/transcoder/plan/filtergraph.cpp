#include "tools/transcoder/plan/filtergraph.h"

#include "engine/ffmpegtoken.h"

namespace {

// Characters of an option key, as FFmpeg's option parser knows them.
bool isKeyChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' || u == '_'
        || u == '/' || u == '.';
}

void skipBlanks(const QString &text, int &pos)
{
    while (pos < text.size() && isFfmpegBlank(text[pos]))
        ++pos;
}

// The option parser's level: "key=value" or a positional value, split at ":".
QList<FilterOption> parseOptions(const QString &arguments)
{
    QList<FilterOption> options;
    int pos = 0;
    while (pos < arguments.size()) {
        FilterOption option;
        int keyEnd = pos;
        skipBlanks(arguments, keyEnd);
        const int keyStart = keyEnd;
        while (keyEnd < arguments.size() && isKeyChar(arguments[keyEnd]))
            ++keyEnd;
        int afterKey = keyEnd;
        skipBlanks(arguments, afterKey);
        if (afterKey < arguments.size() && arguments[afterKey] == u'=') {
            option.key = arguments.mid(keyStart, keyEnd - keyStart);
            pos = afterKey + 1;
        }
        option.value = readFfmpegToken(arguments, pos, u":");
        options.append(option);
        if (pos < arguments.size())
            ++pos; // the ":"
    }
    return options;
}

QString formatOptions(const QList<FilterOption> &options)
{
    QStringList parts;
    for (const FilterOption &option : options) {
        // A positional value must not look like "key=" to the option parser.
        if (option.key.isEmpty())
            parts.append(escapeFfmpegToken(option.value, u"\\':="));
        else
            parts.append(option.key + u'=' + escapeFfmpegToken(option.value, u"\\':"));
    }
    return parts.join(u':');
}

bool readLabels(const QString &text, int &pos, QStringList *labels, QString *error)
{
    while (pos < text.size() && text[pos] == u'[') {
        ++pos;
        const QString label = readFfmpegToken(text, pos, u"]");
        if (label.isEmpty() || pos >= text.size() || text[pos] != u']') {
            *error = QStringLiteral("a link label is empty or not closed");
            return false;
        }
        ++pos;
        labels->append(label);
        skipBlanks(text, pos);
    }
    return true;
}

QString formatLabels(const QStringList &labels)
{
    QString text;
    for (const QString &label : labels)
        text += u'[' + escapeFfmpegToken(label, u"\\']") + u']';
    return text;
}

} // namespace

const QString *Filter::option(const QString &key) const
{
    for (const FilterOption &entry : options) {
        if (entry.key == key)
            return &entry.value;
    }
    return nullptr;
}

QString *Filter::option(const QString &key)
{
    return const_cast<QString *>(static_cast<const Filter *>(this)->option(key));
}

const QString *Filter::positional(int index) const
{
    for (const FilterOption &entry : options) {
        if (!entry.key.isEmpty())
            continue;
        if (index-- == 0)
            return &entry.value;
    }
    return nullptr;
}

QString *Filter::positional(int index)
{
    return const_cast<QString *>(static_cast<const Filter *>(this)->positional(index));
}

bool Filter::operator==(const Filter &other) const
{
    return inputLabels == other.inputLabels && name == other.name && hasArguments == other.hasArguments
        && options == other.options && outputLabels == other.outputLabels;
}

std::optional<FilterGraph> parseFilterGraph(const QString &description, QString *error)
{
    QString problem;
    FilterGraph graph;
    int pos = 0;
    QChar separator = u';';
    do {
        skipBlanks(description, pos);
        Filter filter;
        if (!readLabels(description, pos, &filter.inputLabels, &problem))
            break;
        filter.name = readFfmpegToken(description, pos, u"=,;[");
        if (filter.name.isEmpty()) {
            problem = QStringLiteral("a filter has no name");
            break;
        }
        if (pos < description.size() && description[pos] == u'=') {
            ++pos;
            filter.hasArguments = true;
            filter.options = parseOptions(readFfmpegToken(description, pos, u"[],;"));
        }
        if (!readLabels(description, pos, &filter.outputLabels, &problem))
            break;
        skipBlanks(description, pos);
        graph.startsChain.append(separator == u';');
        graph.filters.append(filter);
        separator = pos < description.size() ? description[pos++] : QChar();
    } while (separator == u',' || separator == u';');

    if (problem.isEmpty() && !separator.isNull())
        problem = QStringLiteral("unexpected \"%1\"").arg(separator);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return std::nullopt;
    }
    return graph;
}

QString formatFilterGraph(const FilterGraph &graph)
{
    QString text;
    for (int i = 0; i < graph.filters.size(); ++i) {
        const Filter &filter = graph.filters[i];
        if (i > 0)
            text += graph.startsChain.value(i) ? u';' : u',';
        text += formatLabels(filter.inputLabels) + filter.name;
        if (filter.hasArguments)
            text += u'=' + escapeFfmpegToken(formatOptions(filter.options), u"\\'[],;");
        text += formatLabels(filter.outputLabels);
    }
    return text;
}
