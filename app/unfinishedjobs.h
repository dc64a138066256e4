#pragma once

#include "app/convertjob.h"

#include <QList>
#include <QString>

// The jobs that were not converted yet, kept on disk whenever the job list
// changes so that the next start can offer them back, also after a crash.

// <XDG data home>/quillmora/unfinished-jobs.json
QString unfinishedJobsFile();

// The jobs that still have to be converted (every state but Succeeded),
// set back to Ready and without their progress bars.
QList<ConvertJob> unfinishedOf(const QList<ConvertJob> &jobs);

// Writes the unfinished jobs of the list atomically (the file is replaced
// whole or not at all); with none, removes the file. False on a write error.
bool saveUnfinishedJobs(const QList<ConvertJob> &jobs, const QString &file);

// The jobs of the file that can still run (every input file still there);
// empty when there is no file or it cannot be read.
QList<ConvertJob> loadUnfinishedJobs(const QString &file);
