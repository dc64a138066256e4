#include "tools/transcoder/plan/sourcetags.h"

#include "tools/transcoder/plan/codeclimits.h"

QStringList sourceTagOptions(int input, const QString &container)
{
    const QString number = QString::number(input);
    QStringList options{QStringLiteral("-map_metadata"), number, QStringLiteral("-map_chapters"), number};
    if (const ContainerLimits *limits = containerLimits(container); limits && limits->asksForId3)
        options << QStringLiteral("-write_id3v2") << QStringLiteral("1");
    return options;
}
