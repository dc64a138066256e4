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

// A folder that cannot be read while the object lives: its mode is 000 and,
// for a test run by root, the calling thread's effective set loses the powers
// that read past modes (threads it starts meanwhile inherit that; a program
// it starts does not). Everything is given back at the end.
class UnreadableFolder
{
public:
    explicit UnreadableFolder(const QString &path);
    ~UnreadableFolder();
    UnreadableFolder(const UnreadableFolder &) = delete;
    UnreadableFolder &operator=(const UnreadableFolder &) = delete;

    // The folder really cannot be opened now.
    bool holds() const;

private:
    QString path;
    bool powersDropped = false;
};

} // namespace testsupport
