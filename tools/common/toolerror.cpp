#include "tools/common/toolerror.h"

#include <cstdio>

namespace toolerror {

namespace {
const char *toolName = "tool";
}

void setToolName(const char *name)
{
    toolName = name;
}

int fail(const QString &message)
{
    const QString line = message.simplified(); // one line, whatever the child printed
    std::fprintf(stderr, "%s: %s\n", toolName, line.toLocal8Bit().constData());
    return 1;
}

} // namespace toolerror
