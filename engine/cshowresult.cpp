#include "engine/cshowresult.h"

#include "app/convertjob.h"
#include "app/formats.h"
#include "ui_resultshow.h"

#include <QAbstractItemModel>
#include <QLayout>

// The form's own translation context.
QString successLine(int count)
{
    return QString::number(count)
           + (count < 2 ? QCoreApplication::translate("ResultShow", "  task has been completed")
                        : QCoreApplication::translate("ResultShow", "  tasks have been completed"));
}

QString failureLine(int count)
{
    return QString::number(count)
           + (count < 2 ? QCoreApplication::translate("ResultShow", "  task has been failed")
                        : QCoreApplication::translate("ResultShow", "  tasks have been failed"));
}

CShowResult::CShowResult()
    : ui(std::make_unique<Ui::ResultShow>())
{
    ui->setupUi(this); // its layout keeps it at the size its texts need
}

CShowResult::~CShowResult() = default;

void CShowResult::setCounts()
{
    ui->m_pSuccessInfoLabel->setText(successLine(successCount));
    ui->m_pFailedInfoLabel->setText(failureLine(failureCount));
}

void CShowResult::countRows(const QAbstractItemModel &rows, int stateColumn)
{
    // The texts the rows show, as the user sees them; "Stopped" counts in
    // neither, "Up to date" as done.
    const QString succeeded = stateText(Succeeded, true);
    const QString upToDate = stateText(UpToDate, true);
    const QString failed = stateText(Failed, true);
    successCount = 0;
    failureCount = 0;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString text = rows.index(row, stateColumn).data().toString();
        successCount += text == succeeded || text == upToDate;
        failureCount += text == failed;
    }
}

void CShowResult::centreOver(const QWidget &window)
{
    layout()->activate(); // the size that the texts of setCounts need
    const QRect area = window.geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}
