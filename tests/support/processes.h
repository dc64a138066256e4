#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

// The processes of this user that a test's programs left, told apart by what
// their environment holds: children inherit it, whoever started them.
namespace testsupport {

// "pid name" of every running process whose environment block (its
// NUL-separated "NAME=value" entries, as /proc shows them) satisfies holds.
QStringList processesWhere(const std::function<bool(const QByteArray &environment)> &holds);

} // namespace testsupport
