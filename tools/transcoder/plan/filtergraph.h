#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// An FFmpeg filtergraph ("-vf", "-af") read by FFmpeg's own rules, so that a
// filter's options can be changed and written back without changing what
// FFmpeg makes of the rest.
//
// FFmpeg unescapes a description twice: the graph parser removes one level of
// quotes and backslashes from each filter's argument string, the option
// parser removes a second level from each option value. The values held here
// have passed both levels.

struct FilterOption {
    QString key;   // empty: a positional value
    QString value;

    bool operator==(const FilterOption &other) const { return key == other.key && value == other.value; }
};

struct Filter {
    QStringList inputLabels;
    QString name;
    bool hasArguments = false; // "name=..." rather than "name"
    QList<FilterOption> options;
    QStringList outputLabels;

    // The value of the named option, or nullptr.
    const QString *option(const QString &key) const;
    QString *option(const QString &key);
    // The n-th positional value (0-based), or nullptr.
    QString *positional(int index);
    const QString *positional(int index) const;

    bool operator==(const Filter &other) const;
};

// Filters in graph order. Each filter after the first is joined to the one
// before it by "," (same chain) or ";" (new chain).
struct FilterGraph {
    QList<Filter> filters;
    QList<bool> startsChain; // per filter: preceded by ";" (always true for the first)

    bool operator==(const FilterGraph &other) const
    {
        return filters == other.filters && startsChain == other.startsChain;
    }
};

// nullopt when the description is not a well-formed graph; error says why.
std::optional<FilterGraph> parseFilterGraph(const QString &description, QString *error = nullptr);

// A description that FFmpeg reads back as the same graph. Values that need no
// escaping are written as they are.
QString formatFilterGraph(const FilterGraph &graph);
