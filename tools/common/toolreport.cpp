#include "tools/common/toolreport.h"

#include <cstdio>

namespace toolreport {

void tell(const char *key, const QString &value)
{
    std::printf("quillmora:%s=%s\n", key, value.simplified().toUtf8().constData());
    std::fflush(stdout);
}

} // namespace toolreport
