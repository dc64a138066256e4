#pragma once

#include "app/convertjob.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>

// ConvertJob as JSON, the one form in which unfinished jobs are kept between
// sessions (a row of the database holds one). The progress bar is not
// stored. Reading is forgiving field by field (a missing or mistyped field
// keeps its default) but refuses a job whose format or inputs make no sense;
// the caller keeps such a record rather than drop it.

QJsonObject jobToJson(const ConvertJob &job);

// False when the object is not a usable job (no format of that id, no input).
bool jobFromJson(const QJsonObject &object, ConvertJob *job);

// A list as older versions kept it in a file of its own:
// {"version": 1, "jobs": [...]}.
struct JobListDocument {
    static constexpr int CurrentVersion = 1; // what this version reads

    bool isList = false; // false when the document is not such a list at all (damaged, cut short)
    int version = 0;
    QList<QJsonObject> jobs; // as written, usable or not
};

JobListDocument readJobList(const QByteArray &document);
