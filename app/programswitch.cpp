#include "app/programswitch.h"

#include "app/commandline.h"
#include "app/languagefiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTranslator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int startInstead(QString (*programFor)(const QString &applicationFolder), int argc, char *argv[])
{
    const QString applicationFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QByteArray program = QFile::encodeName(programFor(applicationFolder));
    ::execv(program.constData(), argv);
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    QCoreApplication app(argc, argv);
    QTranslator translator;
    installSystemLanguage(translator);
    const QString text = QStringLiteral("quillmora: %1\n")
                             .arg(CommandLine::tr("cannot start %1: %2")
                                      .arg(QFile::decodeName(program), reason));
    std::fputs(text.toLocal8Bit().constData(), stderr);
    return 127;
}
