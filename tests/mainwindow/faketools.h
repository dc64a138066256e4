#pragma once

#include "tests/support/files.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A tools folder with shell scripts in place of "transcoder" and
// "imageconvert/convert". Both run the same shell code, with "$out" set to
// the output path (the last argument); every call is logged.
class FakeTools
{
public:
    explicit FakeTools(const QString &body = QStringLiteral("touch \"$out\"")) { setBody(body); }

    QString folder() const { return dir.path(); }

    void setBody(const QString &body)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("imageconvert")));
        const QString script = QStringLiteral("#!/bin/sh\nfor out; do :; done\necho \"$out\" >> '%1'\n%2\n")
                                   .arg(logPath(), body);
        for (const char *name : {"transcoder", "imageconvert/convert"}) {
            const QString path = dir.filePath(QLatin1String(name));
            testsupport::writeFile(path, script.toUtf8());
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    // The output path of every call so far, in order.
    QStringList outputs() const
    {
        return QString::fromUtf8(testsupport::readFile(logPath())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QString logPath() const { return dir.filePath(QStringLiteral("calls.log")); }

    QTemporaryDir dir;
};
