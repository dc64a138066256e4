#include "app/folderwalk.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The end of the run of digits that starts at from.
qsizetype digitsEnd(QStringView text, qsizetype from)
{
    while (from < text.size() && isAsciiDigit(text[from]))
        ++from;
    return from;
}

// Compares the numbers a[i, iEnd) and b[j, jEnd) by value.
int compareNumbers(QStringView a, qsizetype i, qsizetype iEnd, QStringView b, qsizetype j,
                   qsizetype jEnd)
{
    while (i < iEnd - 1 && a[i] == u'0')
        ++i;
    while (j < jEnd - 1 && b[j] == u'0')
        ++j;
    if (iEnd - i != jEnd - j)
        return iEnd - i < jEnd - j ? -1 : 1;
    for (; i < iEnd; ++i, ++j) {
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
    }
    return 0;
}

// The path is made here once, the one string a found file keeps: names
// made apart and dropped after the walk would stay as holes in the walking
// thread's heap, which glibc gives back to no other thread.
struct Entry {
    QString path;
    qsizetype nameAt; // where the entry's own name starts in path
    bool folder;

    QStringView name() const { return QStringView(path).mid(nameAt); }
};

// A folder as the file system knows it, whatever the path or link to it.
using FolderId = std::pair<dev_t, ino_t>;

std::optional<FolderId> folderId(const QString &path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0
        || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return FolderId(info.st_dev, info.st_ino);
}

// One walk: its filter, what it found and the folders it has been in.
class Walker
{
public:
    Walker(const std::function<bool(const QString &)> &filter, const std::atomic<bool> *stopFlag)
        : takes(filter)
        , stop(stopFlag)
    {
    }

    void walk(const QString &folder, const QString &subfolder)
    {
        DIR *dir = ::opendir(QFile::encodeName(folder).constData());
        if (!dir) {
            found.unreadable << folder;
            return;
        }
        std::vector<Entry> entries =
            readEntries(dir, folder.endsWith(u'/') ? folder : folder + u'/');
        ::closedir(dir);
        reserveFiles(std::count_if(entries.begin(), entries.end(),
                                   [](const Entry &entry) { return !entry.folder; }));
        for (Entry &entry : entries) {
            if (stopped())
                return;
            if (!entry.folder) {
                found.files.append({std::move(entry.path), subfolder});
            } else {
                const QString name = entry.name().toString();
                walk(entry.path, subfolder.isEmpty() ? name : subfolder + u'/' + name);
            }
        }
    }

    // The folder counts as walked already, unless it is the root itself:
    // outputs written beside their sources leave the tree to be walked.
    void passOver(const QString &folder, const QString &root)
    {
        const std::optional<FolderId> id = folderId(folder);
        if (id && id != folderId(root))
            folders.insert(*id);
    }

    FolderWalk found;

private:
    // Room for a folder's files at once: grown a file at a time, the list
    // would leave its old blocks free in this thread's heap, where no other
    // thread can use them again.
    void reserveFiles(qsizetype more)
    {
        QList<FoundFile> &files = found.files;
        if (files.capacity() - files.size() < more)
            files.reserve(qMax(files.size() + more, 2 * files.capacity()));
    }

    bool stopped() const { return stop && stop->load(std::memory_order_relaxed); }

    // The folder's entries that the walk takes, in name order, their paths
    // under prefix (the folder's, with its slash); none when the walk has
    // been in the folder already.
    std::vector<Entry> readEntries(DIR *dir, const QString &prefix)
    {
        std::vector<Entry> entries;
        const int fd = ::dirfd(dir);
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !beenIn(info))
            return entries;
        while (const dirent *item = ::readdir(dir)) {
            if (item->d_name[0] == '.' || stopped())
                continue; // "." and "..", and what the user's tools keep hidden
            bool folder = item->d_type == DT_DIR;
            bool file = item->d_type == DT_REG;
            if (item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) {
                // What a link points to; a broken link is passed over.
                if (::fstatat(fd, item->d_name, &info, 0) != 0)
                    continue;
                folder = S_ISDIR(info.st_mode);
                file = S_ISREG(info.st_mode);
            }
            if (!folder && !file)
                continue;
            const QString name = QFile::decodeName(item->d_name);
            if (folder || takes(name))
                entries.push_back({prefix + name, prefix.size(), folder});
        }
        std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
            return compareNames(a.name(), b.name()) < 0;
        });
        return entries;
    }

    // Records the folder; false when it was there already.
    bool beenIn(const struct stat &info)
    {
        const FolderId id(info.st_dev, info.st_ino);
        if (folders.contains(id))
            return false;
        folders.insert(id);
        return true;
    }

    const std::function<bool(const QString &)> &takes;
    const std::atomic<bool> *stop;
    QSet<FolderId> folders;
};

} // namespace

int compareNames(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            const qsizetype iEnd = digitsEnd(a, i);
            const qsizetype jEnd = digitsEnd(b, j);
            if (const int order = compareNumbers(a, i, iEnd, b, j, jEnd))
                return order;
            i = iEnd;
            j = jEnd;
            continue;
        }
        const QChar x = a[i].toCaseFolded();
        const QChar y = b[j].toCaseFolded();
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b);
}

FolderWalk walkFolder(const QString &root, const std::function<bool(const QString &)> &takes,
                      const QString &outputFolder, const std::atomic<bool> *stop)
{
    Walker walker(takes, stop);
    QString folder = root;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    walker.passOver(outputFolder, folder);
    walker.walk(folder, QString());
    return std::move(walker.found);
}

bool isFolder(const QString &path)
{
    return folderId(path).has_value();
}
