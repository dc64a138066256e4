#include "tools/common/toolreport.h"

#include "tools/common/temporaryoutput.h"

#include <QFileInfo>

#include <cstdio>

namespace toolreport {

void tell(const QString &key, const QString &value)
{
    std::printf("quillmora:%s=%s\n", key.toUtf8().constData(), value.toUtf8().constData());
    std::fflush(stdout);
}

void tellWrittenName(const TemporaryOutput &output)
{
    const QString written = QFileInfo(output.writtenPath()).absoluteFilePath();
    if (written != QFileInfo(output.finalPath()).absoluteFilePath())
        tell(QStringLiteral("output"), written);
}

} // namespace toolreport
