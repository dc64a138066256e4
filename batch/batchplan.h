#pragma once

#include "app/commandline.h"
#include "app/convertjob.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// The jobs of a --convert run, made as the window makes them for the same
// format and files; inputs the format does not take are refused with a reason.
struct BatchPlan {
    struct Refusal {
        QString path;
        QString reason; // translated
    };

    QList<ConvertJob> jobs;
    QList<Refusal> refused;

    Q_DECLARE_TR_FUNCTIONS(BatchPlan)

public:
    static BatchPlan make(const CommandLineRequest &request);
};

// What a progress line calls a job: the input's file name, or the number of
// files of a join.
QString batchJobName(const ConvertJob &job);
