#pragma once

#include "app/convertjob.h"

#include <QList>
#include <QTableView>

#include <functional>

class JobQueue;
class JobTableModel;
class QProgressBar;

// The window's job table: a view over the job list, one row per job in the
// list's order. Every change of the list made on the GUI thread goes through
// it, so that rows and jobs stay paired; jobsChanged() tells of each one.
class JobTable : public QTableView
{
    Q_OBJECT

public:
    enum Column : int { InputColumn, SizeColumn, ProfileColumn, OutputColumn, ColumnCount };
    static constexpr int RowHeight = 18;

    // runActive tells whether a run is under way when a state arrives:
    // Converting and Failed read "Stopped" when it is not.
    JobTable(JobQueue &jobs, std::function<bool()> runActive, QWidget *parent = nullptr);
    ~JobTable() override;

    // Appends the jobs at the end in one step. Each input's size is read when
    // its row is first shown: a look at a file costs a system call, and ten
    // thousand of them a noticeable while.
    void appendJobs(QList<ConvertJob> &&jobs);
    void removeJob(int row);
    void clearJobs();
    // A row's new record; its texts follow, its bar stays.
    void replaceJob(int row, const ConvertJob &job);
    // The first rows' new records, as the preview dialog hands them back.
    void replaceJobs(const QList<ConvertJob> &jobs);

    // The row's texts again, after its job changed in the list behind the
    // table's back (the run wrote the name it really used).
    void refreshRow(int row);

    // The row of the current cell, or -1.
    int currentJobRow() const;
    QList<int> selectedJobRows() const;

    // What a run shows: a row's state, the tooltip of its Profile cell (why
    // it failed, or which streams were copied and what the quality check
    // found, a line each; Ready or Converting clears it) and a progress bar
    // over that cell; several rows may hold one at once.
    void setState(int row, int state);
    void setStateTip(int row, const QString &text);
    void addStateTipLine(int row, const QString &text);
    void startProgress(int row);
    // The bar's value and its text, as QProgressBar::setFormat takes it.
    void setProgress(int row, int value, const QString &format);
    void endProgress(int row);
    QProgressBar *progressBar(int row) const;

    // The headers and the table's name in the current language.
    void retranslate();

signals:
    void jobsChanged();

private:
    JobQueue &queue;
    JobTableModel *rows;
};
