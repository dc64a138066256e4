#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Whole files written and read by the tests.
namespace testsupport {

// True when the whole content was written.
bool writeFile(const QString &path, const QByteArray &content);

// Empty when the file cannot be read.
QByteArray readFile(const QString &path);

// Every entry of the folder, hidden ones too, sorted by name.
QStringList entriesOf(const QString &folder);

} // namespace testsupport
