#include "tools/common/toolreport.h"

#include "tools/common/temporaryoutput.h"

#include <QFileInfo>

#include <cstdio>

namespace toolreport {

void tell(const char *key, const QString &value)
{
    std::printf("quillmora:%s=%s\n", key, value.simplified().toUtf8().constData());
    std::fflush(stdout);
}

void tellWrittenName(const TemporaryOutput &output)
{
    const QString written = QFileInfo(output.writtenPath()).absoluteFilePath();
    if (written != QFileInfo(output.finalPath()).absoluteFilePath())
        tell("output", written);
}

} // namespace toolreport
