#include "app/keptjobstore.h"

#include "app/jobrecord.h"
#include "app/unfinishedjobs.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString databaseName = QStringLiteral("unfinished-jobs.db");

// SQLite's result codes for a file that is not a database, or a damaged one.
bool isDamage(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
}

// The start time of a process, in clock ticks since boot (field 22 of
// /proc/<pid>/stat); -1 when there is no such process. With the boot it
// tells a process from a later one that got the same id.
qint64 startTimeOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const qsizetype nameEnd = line.lastIndexOf(')'); // the name may hold spaces and brackets
    const QList<QByteArray> fields = line.mid(nameEnd + 2).split(' ');
    return nameEnd < 0 || fields.size() < 20 ? -1 : fields.at(19).toLongLong();
}

QString thisBoot()
{
    QFile id(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return id.open(QIODevice::ReadOnly) ? QString::fromLatin1(id.readAll().trimmed()) : QString();
}

// The window's process, as a list's owner.
struct Owner {
    qint64 pid = 0;
    qint64 started = -1;
    QString boot;

    static const Owner &thisProcess()
    {
        static const Owner self{getpid(), startTimeOf(getpid()), thisBoot()};
        return self;
    }

    // The same process is still running. (A window in another pid namespace
    // that shares the folder looks ended.)
    bool isRunning() const
    {
        return pid > 0 && boot == thisProcess().boot && startTimeOf(pid) == started;
    }
};

QByteArray encodedJob(const ConvertJob &job)
{
    return QJsonDocument(jobToJson(job)).toJson(QJsonDocument::Compact);
}

// A row's job, when this version can read and run it now.
bool runnableJob(const QByteArray &stored, ConvertJob *job)
{
    const QJsonDocument document = QJsonDocument::fromJson(stored);
    if (!document.isObject() || !jobFromJson(document.object(), job))
        return false;
    for (const QString &input : std::as_const(job->inputFiles)) {
        struct stat info {
        };
        if (::stat(QFile::encodeName(input).constData(), &info) != 0 || !S_ISREG(info.st_mode))
            return false;
    }
    return true;
}

struct RowsRead {
    QList<ConvertJob> jobs; // that can run now, set back to Ready
    QList<KeptJobStore::Row> rows;
    int keptBack = 0;
    QSqlError error;
};

// The rows of the lists (ids joined by commas) from one row up to another
// (exclusive; a null row: from the first, to the end), in order, read with a
// connection of the calling thread's own.
RowsRead readRows(const QString &path, const QString &lists, KeptJobStore::Row from,
                  KeptJobStore::Row to)
{
    RowsRead read;
    const QString connection = QStringLiteral("quillmora-kept-read-%1").arg(quintptr(&read));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        QSqlQuery query(db);
        query.setForwardOnly(true);
        QString sql =
            QStringLiteral(
                "SELECT list, id, job FROM jobs WHERE list IN (%1) AND (list, id) >= (?, ?)")
                .arg(lists);
        if (to.list != 0)
            sql += QStringLiteral(" AND (list, id) < (?, ?)");
        if (db.open() && query.prepare(sql + QStringLiteral(" ORDER BY list, id"))) {
            query.addBindValue(from.list);
            query.addBindValue(from.id);
            if (to.list != 0) {
                query.addBindValue(to.list);
                query.addBindValue(to.id);
            }
            if (query.exec()) {
                while (query.next()) {
                    ConvertJob job;
                    if (runnableJob(query.value(2).toByteArray(), &job)) {
                        job.state = Ready;
                        read.jobs << job;
                        read.rows << KeptJobStore::Row{query.value(0).toLongLong(),
                                                       query.value(1).toLongLong()};
                    } else {
                        ++read.keptBack;
                    }
                }
            }
        }
        read.error = query.lastError().isValid() ? query.lastError() : db.lastError();
    }
    QSqlDatabase::removeDatabase(connection);
    return read;
}

// What marks an older version's list once it is in the database, so that it
// is not brought in twice when the process ended before it removed the file.
QString importMark(const QString &file)
{
    const QFileInfo info(file);
    return QStringLiteral("%1 %2 %3")
        .arg(info.fileName())
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

KeptJobStore::KeptJobStore(const QString &dataFolder)
    : folder(dataFolder)
    , path(dataFolder + QLatin1Char('/') + databaseName)
    , connection(QStringLiteral("quillmora-kept-%1").arg(quintptr(this)))
{
}

KeptJobStore::~KeptJobStore()
{
    close();
}

bool KeptJobStore::open()
{
    if (!QDir().mkpath(folder))
        return false;
    Opened opened = openDatabase();
    if (opened == Opened::Damaged) {
        notices.damagedSetAside = setAside();
        opened = notices.damagedSetAside.isEmpty() ? Opened::Failed : openDatabase();
    }
    if (opened == Opened::Newer)
        notices.newerDatabase = path;
    if (opened != Opened::Ready) {
        close();
        return false;
    }
    bringInOldLists();
    return beginOwnList();
}

KeptJobStore::Opened KeptJobStore::openDatabase()
{
    close();
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    // Another window's write takes milliseconds; a long wait means something is wrong.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open())
        return Opened::Failed;
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        return isDamage(version.lastError()) ? Opened::Damaged : Opened::Failed;
    if (version.value(0).toInt() > SchemaVersion)
        return Opened::Newer;
    const bool unversioned = version.value(0).toInt() == 0;
    version.finish();
    // Looked at before anything is written to it: a database that is not ours.
    if (unversioned
        && (!version.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !version.next()
            || version.value(0).toInt() != 0))
        return Opened::Damaged;
    version.finish();
    // The log of a large add would otherwise stay as large as the list on disk.
    if (!exec(QStringLiteral("PRAGMA journal_mode=WAL"))
        || !exec(QStringLiteral("PRAGMA synchronous=FULL"))
        || !exec(QStringLiteral("PRAGMA journal_size_limit=4194304")))
        return Opened::Failed;

    // Made inside a write transaction, so that two windows starting at once make it once.
    if (!exec(QStringLiteral("BEGIN IMMEDIATE")))
        return Opened::Failed;
    QSqlQuery check(db);
    bool ok = check.exec(QStringLiteral("PRAGMA user_version")) && check.next();
    const int found = ok ? check.value(0).toInt() : -1;
    check.finish();
    if (ok && found == 0) {
        ok = exec(QStringLiteral("CREATE TABLE lists (id INTEGER PRIMARY KEY, owner_pid INTEGER, "
                                 "owner_started INTEGER, owner_boot TEXT, imported_from TEXT)"))
             && exec(QStringLiteral(
                 "CREATE TABLE jobs (list INTEGER NOT NULL, id INTEGER NOT NULL, "
                 "state INTEGER NOT NULL, job BLOB NOT NULL, PRIMARY KEY (list, id))"))
             && exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
    } else if (ok) {
        // Both tables are there and can be read.
        ok = check.exec(QStringLiteral("SELECT 1 FROM lists LIMIT 1"))
             && check.exec(QStringLiteral("SELECT 1 FROM jobs LIMIT 1"));
        const QSqlError error = check.lastError();
        check.finish();
        if (!ok) {
            exec(QStringLiteral("ROLLBACK"));
            return isDamage(error) || error.type() == QSqlError::StatementError ? Opened::Damaged
                                                                                : Opened::Failed;
        }
    }
    if (!commitOrRollBack(ok))
        return Opened::Failed;
    return Opened::Ready;
}

void KeptJobStore::close()
{
    ownList = 0;
    released = false;
    claimed.clear();
    if (!db.isValid())
        return;
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

// Moves the database and its write-ahead log to a name that says they could
// not be read; never removes them.
QString KeptJobStore::setAside()
{
    close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = folder + QStringLiteral("/unfinished-jobs-damaged-%1.db").arg(stamp);
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = folder + QStringLiteral("/unfinished-jobs-damaged-%1-%2.db").arg(stamp).arg(n);
    if (!QFile::rename(path, aside))
        return {};
    for (const char *part : {"-wal", "-shm"}) {
        if (QFileInfo::exists(path + QLatin1String(part)))
            QFile::rename(path + QLatin1String(part), aside + QLatin1String(part));
    }
    return aside;
}

// Each JSON list that a window of an older version left becomes a list of
// the database, owned by nobody; its file goes once that has committed. A
// list that cannot be read is set aside, one of a newer version left alone.
void KeptJobStore::bringInOldLists()
{
    OldJobLists old(folder);
    const QStringList files = old.files();
    for (const QString &file : files) {
        QFile in(file);
        const JobListDocument document =
            readJobList(in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray());
        if (!document.isList) {
            const QString aside = old.setAside(file);
            if (!aside.isEmpty())
                notices.listsSetAside << aside;
            continue;
        }
        if (document.version > JobListDocument::CurrentVersion)
            continue;
        if (!exec(QStringLiteral("BEGIN IMMEDIATE")))
            return;
        const QString mark = importMark(file);
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT 1 FROM lists WHERE imported_from = ?"));
        query.addBindValue(mark);
        bool ok = query.exec();
        const bool already = ok && query.next();
        query.finish();
        if (ok && !already && !document.jobs.isEmpty()) {
            query.prepare(QStringLiteral("INSERT INTO lists (imported_from) VALUES (?)"));
            query.addBindValue(mark);
            ok = query.exec();
            const qint64 list = query.lastInsertId().toLongLong();
            query.prepare(
                QStringLiteral("INSERT INTO jobs (list, id, state, job) VALUES (?, ?, ?, ?)"));
            for (qsizetype i = 0; ok && i < document.jobs.size(); ++i) {
                const QJsonObject &job = document.jobs.at(i);
                query.bindValue(0, list);
                query.bindValue(1, i + 1);
                query.bindValue(2, job.value(QLatin1String("state")).toInt(Ready));
                query.bindValue(3, QJsonDocument(job).toJson(QJsonDocument::Compact));
                ok = query.exec();
            }
        }
        if (commitOrRollBack(ok))
            old.remove(file);
    }
}

bool KeptJobStore::beginOwnList()
{
    const Owner &self = Owner::thisProcess();
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO lists (owner_pid, owner_started, owner_boot) VALUES (?, ?, ?)"));
    query.addBindValue(self.pid);
    query.addBindValue(self.started);
    query.addBindValue(self.boot);
    if (!query.exec()) {
        close();
        return false;
    }
    ownList = query.lastInsertId().toLongLong();
    return true;
}

KeptJobStore::Left KeptJobStore::claimLeft()
{
    Left left;
    std::swap(left, notices);
    if (!isOpen() || released || !exec(QStringLiteral("BEGIN IMMEDIATE")))
        return left;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    bool ok = query.exec(
        QStringLiteral("SELECT id, owner_pid, owner_started, owner_boot FROM lists ORDER BY id"));
    QList<qint64> found;
    while (ok && query.next()) {
        const Owner owner{query.value(1).toLongLong(), query.value(2).toLongLong(),
                          query.value(3).toString()};
        const qint64 list = query.value(0).toLongLong();
        if (list != ownList && !claimed.contains(list) && !owner.isRunning())
            found << list;
    }
    query.finish();
    const Owner &self = Owner::thisProcess();
    query.prepare(QStringLiteral(
        "UPDATE lists SET owner_pid = ?, owner_started = ?, owner_boot = ? WHERE id = ?"));
    for (const qint64 list : std::as_const(found)) {
        query.bindValue(0, self.pid);
        query.bindValue(1, self.started);
        query.bindValue(2, self.boot);
        query.bindValue(3, list);
        ok = ok && query.exec();
    }
    if (!commitOrRollBack(ok))
        return left;
    claimed += found;

    if (found.isEmpty())
        return left;

    // Reading the jobs and looking for their inputs is most of a restore's
    // time: a large list is read in parts at once, on threads of their own.
    QStringList ids;
    for (const qint64 list : std::as_const(found))
        ids << QString::number(list);
    const QString lists = ids.join(u',');
    ok = query.exec(QStringLiteral("SELECT count(*) FROM jobs WHERE list IN (%1)").arg(lists))
         && query.next();
    const qint64 count = ok ? query.value(0).toLongLong() : 0;
    const int parts = count < 4096 ? 1 : qBound(1, QThread::idealThreadCount(), 4);
    QList<Row> bounds;
    query.prepare(
        QStringLiteral(
            "SELECT list, id FROM jobs WHERE list IN (%1) ORDER BY list, id LIMIT 1 OFFSET ?")
            .arg(lists));
    for (int part = 1; ok && part < parts; ++part) {
        query.bindValue(0, count * part / parts);
        ok = query.exec() && query.next();
        bounds << Row{query.value(0).toLongLong(), query.value(1).toLongLong()};
    }
    query = QSqlQuery();
    std::vector<RowsRead> read(static_cast<size_t>(parts));
    std::vector<std::thread> readers;
    for (int part = 1; ok && part < parts; ++part)
        readers.emplace_back([&, part] {
            read[size_t(part)] = readRows(path, lists, bounds.at(part - 1), bounds.value(part));
        });
    if (ok)
        read[0] = readRows(path, lists, {}, bounds.value(0));
    for (std::thread &reader : readers)
        reader.join();
    QSqlError error;
    for (const RowsRead &part : read) {
        left.jobs += part.jobs;
        left.rows += part.rows;
        left.keptBack += part.keptBack;
        if (part.error.isValid())
            error = part.error;
    }
    if (isDamage(error)) {
        // Found while reading: what was read may be wrong too. A new database
        // is begun for this window, whose list was still empty.
        Left fresh;
        fresh.listsSetAside = left.listsSetAside;
        fresh.damagedSetAside = setAside();
        if (!fresh.damagedSetAside.isEmpty())
            open();
        return fresh;
    }
    return left;
}

bool KeptJobStore::write(const JobListChanges &changes, const QList<Row> &dropped)
{
    if (!isOpen() || released)
        return false;
    if (!changes.isEmpty() || !dropped.isEmpty())
        unwritten << Write{changes, dropped};
    if (unwritten.isEmpty())
        return true;
    if (!exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    QList<qint64> touched;
    bool ok = true;
    for (const Write &queued : std::as_const(unwritten))
        ok = ok && apply(queued, touched);
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "DELETE FROM lists WHERE id = ? AND NOT EXISTS (SELECT 1 FROM jobs WHERE list = ?)"));
    for (const qint64 list : std::as_const(touched)) {
        query.bindValue(0, list);
        query.bindValue(1, list);
        ok = ok && query.exec();
        if (ok && query.numRowsAffected() > 0)
            claimed.removeOne(list);
    }
    if (!commitOrRollBack(ok))
        return false;
    unwritten.clear();
    return true;
}

bool KeptJobStore::apply(const Write &write, QList<qint64> &touched)
{
    const JobListChanges &changes = write.changes;
    QSqlQuery query(db);
    bool ok = true;
    if (changes.cleared) {
        query.prepare(QStringLiteral("DELETE FROM jobs WHERE list = ?"));
        query.addBindValue(ownList);
        ok = query.exec();
    }
    query.prepare(QStringLiteral("DELETE FROM jobs WHERE list = ? AND id = ?"));
    for (const qint64 id : changes.removed) {
        query.bindValue(0, ownList);
        query.bindValue(1, id);
        ok = ok && query.exec();
    }
    for (const Row &row : write.dropped) {
        query.bindValue(0, row.list);
        query.bindValue(1, row.id);
        ok = ok && query.exec();
        if (!touched.contains(row.list))
            touched << row.list;
    }
    QSqlQuery replace(db);
    replace.prepare(
        QStringLiteral("INSERT OR REPLACE INTO jobs (list, id, state, job) VALUES (?, ?, ?, ?)"));
    for (qsizetype i = 0; ok && i < changes.ids.size(); ++i) {
        const ConvertJob &job = changes.jobs.at(i);
        if (jobIsDone(job.state)) { // converted or up to date: nothing left to keep
            query.bindValue(0, ownList);
            query.bindValue(1, changes.ids.at(i));
            ok = query.exec();
            continue;
        }
        replace.bindValue(0, ownList);
        replace.bindValue(1, changes.ids.at(i));
        replace.bindValue(2, job.state);
        replace.bindValue(3, encodedJob(job));
        ok = replace.exec();
    }
    return ok;
}

QList<ConvertJob> KeptJobStore::ownJobs()
{
    QList<ConvertJob> jobs;
    if (!isOpen())
        return jobs;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT job FROM jobs WHERE list = ? ORDER BY id"));
    query.addBindValue(ownList);
    if (!query.exec())
        return jobs;
    while (query.next()) {
        ConvertJob job;
        if (jobFromJson(QJsonDocument::fromJson(query.value(0).toByteArray()).object(), &job))
            jobs << job;
    }
    return jobs;
}

void KeptJobStore::release()
{
    if (!isOpen() || released || !exec(QStringLiteral("BEGIN IMMEDIATE")))
        return;
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral(
        "DELETE FROM lists WHERE id = ? AND NOT EXISTS (SELECT 1 FROM jobs WHERE list = ?)"));
    QSqlQuery letGo(db);
    letGo.prepare(QStringLiteral(
        "UPDATE lists SET owner_pid = NULL, owner_started = NULL, owner_boot = NULL WHERE id = ?"));
    bool ok = true;
    for (const qint64 list : QList<qint64>{ownList} + claimed) {
        remove.bindValue(0, list);
        remove.bindValue(1, list);
        letGo.bindValue(0, list);
        ok = ok && remove.exec() && letGo.exec();
    }
    if (commitOrRollBack(ok)) {
        released = true;
        claimed.clear();
    }
}

bool KeptJobStore::exec(const QString &sql)
{
    QSqlQuery query(db);
    return query.exec(sql);
}

bool KeptJobStore::commitOrRollBack(bool ok)
{
    if (ok && exec(QStringLiteral("COMMIT")))
        return true;
    exec(QStringLiteral("ROLLBACK"));
    return false;
}
