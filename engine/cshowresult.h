#pragma once

#include <QDialog>

#include <memory>

class QAbstractItemModel;
class QWidget;
namespace Ui {
class ResultShow;
}

// The box at the end of a run: how many jobs succeeded and how many failed.
class CShowResult : public QDialog
{
    Q_OBJECT

public:
    CShowResult();
    ~CShowResult() override;

    int successCount = 0;
    int failureCount = 0;

    // Both lines from the two counts.
    void setCounts();

    // Counts the rows whose state text reads "Successes" and "Failed".
    void countRows(const QAbstractItemModel &rows, int stateColumn);

    // Centres the box over the window, keeping its own size.
    void centreOver(const QWidget &window);

private:
    std::unique_ptr<Ui::ResultShow> ui;
};

// "N  task has been completed" (below 2) or "N  tasks have been completed";
// the same for "failed".
QString successLine(int count);
QString failureLine(int count);
