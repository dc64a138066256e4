#pragma once

#include "tests/support/programrun.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// build/quillmora started as a script would: no display and no Qt platform
// named, so a batch that needed either would fail.
inline QProcessEnvironment batchEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    return environment;
}

inline testsupport::Finished runQuillmora(const QStringList &arguments, const QString &folder)
{
    return testsupport::runProgram(QStringLiteral(QUILLMORA_BUILD_DIR "/quillmora"), arguments, folder,
                                   batchEnvironment());
}
