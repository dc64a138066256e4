#pragma once

#include <QtGlobal>

#include <algorithm>
#include <iterator>
#include <vector>

// What the box tables of the reader share: each names, by the box that holds
// it, every box the reader accepts; anything else makes it decline.

// The rule for a box of the given type inside a box of the given parent type.
template <typename Rule, size_t count>
const Rule *findRule(const Rule (&rules)[count], quint32 parent, quint32 type)
{
    const auto rule = std::find_if(std::begin(rules), std::end(rules), [&](const Rule &candidate) {
        return candidate.parent == parent && candidate.type == type;
    });
    return rule == std::end(rules) ? nullptr : rule;
}

template <typename Value, typename Table>
bool isOneOf(Value value, const Table &table)
{
    return std::find(std::begin(table), std::end(table), value) != std::end(table);
}

// For boxes that may appear once: false when one of the same key came
// before (libavformat would read both, or fail).
inline bool firstOfKind(std::vector<quint32> &seen, quint32 key)
{
    if (key == 0)
        return true; // any number
    if (std::find(seen.begin(), seen.end(), key) != seen.end())
        return false;
    seen.push_back(key);
    return true;
}
