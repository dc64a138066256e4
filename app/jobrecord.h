#pragma once

#include "app/convertjob.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>

class QIODevice;

// ConvertJob as JSON, for the list of unfinished jobs kept between sessions.
// The progress bar is not stored. Reading is forgiving field by field (a
// missing or mistyped field keeps its default) but drops a job whose format
// or inputs make no sense, so a damaged or older file still gives the jobs
// that can run.

QJsonObject jobToJson(const ConvertJob &job);

// False when the object is not a usable job (no format of that id, no input).
bool jobFromJson(const QJsonObject &object, ConvertJob *job);

// The whole list as one document: {"version": 1, "jobs": [...]}.
QByteArray jobListToJson(const QList<ConvertJob> &jobs);

// Writes that document one job at a time, so that a long list never stands
// in memory a second time as JSON.
class JobListWriter
{
public:
    explicit JobListWriter(QIODevice &out);
    void add(const ConvertJob &job);
    // Closes the document; false when a write failed.
    bool finish();

private:
    QIODevice &out;
    bool first = true;
    bool ok = true;
};

// The usable jobs of a document; *ok is false when it is not one at all.
QList<ConvertJob> jobListFromJson(const QByteArray &document, bool *ok = nullptr);
