#include "mainwindow/jobtable.h"

#include "app/formats.h"
#include "app/mediafiles.h"
#include "engine/jobqueue.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QMap>
#include <QProgressBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <iterator>

namespace {

QString translated(const char *source)
{
    return QCoreApplication::translate("CQuillmora", source);
}

struct ColumnSpec {
    const char *header;
    int width;
    Qt::Alignment alignment;
};

const ColumnSpec columnSpecs[] = {
    {QT_TRANSLATE_NOOP("CQuillmora", "Input file name"), 400, Qt::AlignLeft | Qt::AlignVCenter},
    {QT_TRANSLATE_NOOP("CQuillmora", "Size"), 100, Qt::AlignRight | Qt::AlignVCenter},
    {QT_TRANSLATE_NOOP("CQuillmora", "Profile"), 250, Qt::AlignCenter},
    {QT_TRANSLATE_NOOP("CQuillmora", "Output file name"), 400, Qt::AlignLeft | Qt::AlignVCenter},
};
static_assert(std::size(columnSpecs) == JobTable::ColumnCount);

bool isJoiner(const ConvertJob &job)
{
    return job.profile.category == VideoMerge || job.profile.category == AudioMerge;
}

QString cellText(const ConvertJob &job, int column, qint64 inputBytes, int state, bool runActive)
{
    switch (column) {
    case JobTable::InputColumn:
        return isJoiner(job) ? joinerName(job.inputFiles.size()) : job.inputPath;
    case JobTable::SizeColumn:
        return isJoiner(job) ? QCoreApplication::translate("CQuillmora", " ")
                             : QCoreApplication::translate("CQuillmora", "%1 KB")
                                   .arg(kilobytesOf(inputBytes));
    case JobTable::ProfileColumn:
        return profileColumnText(job.formatId, state, runActive);
    default:
        return job.outputPath;
    }
}

// The Profile cells' delegate: a running row's bar is its persistent editor.
// Placed by QAbstractItemView::setIndexWidget(), every bar would lay out the
// items again and paint the whole table with it (a few milliseconds a job);
// an editor is placed over its own cell alone.
class BarDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *bar = new QProgressBar(parent);
        bar->setTextVisible(true);
        bar->setRange(0, 100);
        bar->setValue(0);
        return bar;
    }
    // The bar shows the run's figure, never the cell's text; nothing is edited.
    void setEditorData(QWidget *, const QModelIndex &) const override {}
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &) const override
    {
        editor->setGeometry(option.rect);
    }
};

} // namespace

// The rows' texts come from the job list when they are painted; the model
// keeps only what the list does not hold: each input's size (read when the
// row is first shown), the state as the window last showed it (whether a run
// was under way then decides between "Failed" and "Stopped"), and the
// tooltips of the few rows that have one.
class JobTableModel : public QAbstractTableModel
{
public:
    struct Shown {
        qint64 inputBytes = -1; // not read yet
        int state = Ready;
        bool runActive = false;
    };

    JobTableModel(JobQueue &list, std::function<bool()> runIsActive, QObject *parent)
        : QAbstractTableModel(parent)
        , jobs(list)
        , runActive(std::move(runIsActive))
    {
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(shown.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : JobTable::ColumnCount;
    }
    Qt::ItemFlags flags(const QModelIndex &) const override
    {
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        Shown &row = shown[index.row()];
        switch (role) {
        case Qt::DisplayRole: {
            const ConvertJob job = jobs.at(index.row());
            if (index.column() == JobTable::SizeColumn && row.inputBytes < 0)
                row.inputBytes = QFileInfo(job.inputPath).size();
            return cellText(job, index.column(), row.inputBytes, row.state, row.runActive);
        }
        case Qt::TextAlignmentRole:
            return int(columnSpecs[index.column()].alignment);
        case Qt::ToolTipRole:
            if (index.column() == JobTable::ProfileColumn && tips.contains(index.row()))
                return tips.value(index.row());
            return {};
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
            && section < JobTable::ColumnCount)
            return translated(columnSpecs[section].header);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    void append(QList<ConvertJob> &&more)
    {
        if (more.isEmpty())
            return;
        const int first = int(shown.size());
        beginInsertRows({}, first, first + int(more.size()) - 1);
        const bool active = runActive();
        if (shown.capacity() < first + more.size()) // grown once, not row by row
            shown.reserve(first + qMax(more.size(), shown.size() / 2));
        for (qsizetype i = 0; i < more.size(); ++i)
            shown.append({-1, more.at(i).state, active});
        jobs.append(std::move(more));
        endInsertRows();
    }

    void remove(int row)
    {
        beginRemoveRows({}, row, row);
        jobs.removeAt(row);
        shown.removeAt(row);
        QMap<int, QString> moved;
        for (auto tip = tips.cbegin(); tip != tips.cend(); ++tip) {
            if (tip.key() != row)
                moved.insert(tip.key() > row ? tip.key() - 1 : tip.key(), tip.value());
        }
        tips.swap(moved);
        endRemoveRows();
    }

    void clear()
    {
        beginResetModel();
        jobs.clear();
        shown.clear();
        tips.clear();
        endResetModel();
    }

    void replace(int row, const ConvertJob &job)
    {
        jobs.replace(row, job);
        show(row, job.state);
        changed(row, 0, JobTable::ColumnCount - 1);
    }

    void refresh(int row) { changed(row, 0, JobTable::ColumnCount - 1); }

    void replaceFirst(const QList<ConvertJob> &replacements)
    {
        const int count = qMin(int(replacements.size()), rowCount());
        for (int row = 0; row < count; ++row)
            jobs.replace(row, replacements.at(row));
        if (count > 0)
            emit dataChanged(index(0, 0), index(count - 1, JobTable::ColumnCount - 1));
    }

    void setState(int row, int state)
    {
        jobs.setState(row, state);
        show(row, state);
        changed(row, JobTable::ProfileColumn, JobTable::ProfileColumn);
    }

    void setTip(int row, const QString &text)
    {
        tips.insert(row, text);
        changed(row, JobTable::ProfileColumn, JobTable::ProfileColumn);
    }

    void addTipLine(int row, const QString &text)
    {
        const QString earlier = tips.value(row);
        setTip(row, earlier.isEmpty() ? text : earlier + u'\n' + text);
    }

    void retranslate()
    {
        emit headerDataChanged(Qt::Horizontal, 0, JobTable::ColumnCount - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, JobTable::ColumnCount - 1));
    }

private:
    void show(int row, int state)
    {
        Shown &shownRow = shown[row];
        shownRow.state = state;
        shownRow.runActive = runActive();
        if (state == Converting || state == Ready) // a new attempt: the last one's words go
            tips.remove(row);
    }

    void changed(int row, int firstColumn, int lastColumn)
    {
        emit dataChanged(index(row, firstColumn), index(row, lastColumn));
    }

    JobQueue &jobs;
    std::function<bool()> runActive;
    mutable QList<Shown> shown; // sizes are read on the first look
    QMap<int, QString> tips;    // by row
};

JobTable::JobTable(JobQueue &jobs, std::function<bool()> runActive, QWidget *parent)
    : QTableView(parent)
    , queue(jobs)
    , rows(new JobTableModel(jobs, std::move(runActive), this))
{
    setObjectName(QStringLiteral("jobTable"));
    setModel(rows);
    setItemDelegateForColumn(ProfileColumn, new BarDelegate(this));
    for (int column = 0; column < ColumnCount; ++column)
        setColumnWidth(column, columnSpecs[column].width);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSize(1000, 500);
}

JobTable::~JobTable() = default;

void JobTable::appendJobs(QList<ConvertJob> &&jobs)
{
    if (jobs.isEmpty())
        return;
    rows->append(std::move(jobs));
    emit jobsChanged();
}

void JobTable::removeJob(int row)
{
    if (!queue.isRow(row))
        return;
    rows->remove(row);
    emit jobsChanged();
}

void JobTable::clearJobs()
{
    rows->clear();
    emit jobsChanged();
}

void JobTable::replaceJob(int row, const ConvertJob &job)
{
    if (!queue.isRow(row))
        return;
    rows->replace(row, job);
    emit jobsChanged();
}

void JobTable::replaceJobs(const QList<ConvertJob> &jobs)
{
    rows->replaceFirst(jobs);
    emit jobsChanged();
}

void JobTable::refreshRow(int row)
{
    if (!queue.isRow(row))
        return;
    rows->refresh(row);
    emit jobsChanged();
}

int JobTable::currentJobRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

QList<int> JobTable::selectedJobRows() const
{
    QList<int> selected;
    const QModelIndexList indexes = selectionModel()->selectedRows();
    for (const QModelIndex &index : indexes)
        selected << index.row();
    std::sort(selected.begin(), selected.end());
    return selected;
}

void JobTable::setState(int row, int state)
{
    if (!queue.isRow(row))
        return;
    rows->setState(row, state);
    emit jobsChanged();
}

void JobTable::setStateTip(int row, const QString &text)
{
    if (queue.isRow(row))
        rows->setTip(row, text);
}

void JobTable::addStateTipLine(int row, const QString &text)
{
    if (queue.isRow(row))
        rows->addTipLine(row, text);
}

void JobTable::startProgress(int row)
{
    if (!queue.isRow(row))
        return;
    const QModelIndex cell = rows->index(row, ProfileColumn);
    setIndexWidget(cell, nullptr); // a bar already there goes: each pass starts at 0
    openPersistentEditor(cell);
    queue.setProgressBar(row, progressBar(row));
}

void JobTable::setProgress(int row, int value, const QString &format)
{
    QProgressBar *bar = progressBar(row);
    if (!bar)
        return;
    // QProgressBar::setValue() repaints at once, the table's cells under the
    // bar with it; the new figure waits for the window's next paint instead,
    // together with the other rows' changes.
    bar->setUpdatesEnabled(false);
    bar->setValue(value);
    bar->setFormat(format);
    bar->setUpdatesEnabled(true); // asks for that paint
}

void JobTable::endProgress(int row)
{
    if (!queue.isRow(row))
        return;
    setIndexWidget(rows->index(row, ProfileColumn), nullptr);
    queue.setProgressBar(row, nullptr);
}

QProgressBar *JobTable::progressBar(int row) const
{
    return qobject_cast<QProgressBar *>(indexWidget(rows->index(row, ProfileColumn)));
}

void JobTable::retranslate()
{
    rows->retranslate();
    setAccessibleName(translated(QT_TRANSLATE_NOOP("CQuillmora", "Job list")));
}
