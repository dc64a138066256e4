#include "tools/transcoder/plan/encoderoptions.h"

#include "tools/transcoder/plan/codeclimits.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace {

using Option = QPair<QString, QString>;

struct EncoderSettings {
    QString encoder;
    QStringList removed;          // options the encoder does not know
    QList<Option> options;        // set over the application's
    QList<Option> withoutBitrate; // set when no "-b:v" is chosen
};

const QList<EncoderSettings> &encoderSettings()
{
    static const QList<EncoderSettings> table{
        {"libx265",
         {},
         {{"-preset", "ultrafast"}, {"-x265-params", "log-level=error"}},
         {}},
        // Realtime with row threads: the good deadline takes many times as long.
        {"libvpx-vp9",
         {"-preset"},
         {{"-deadline", "realtime"}, {"-cpu-used", "8"}, {"-row-mt", "1"}},
         {{"-crf", "32"}, {"-b:v", "0"}}},
        {"libsvtav1", {}, {{"-preset", "12"}}, {}},
    };
    return table;
}

} // namespace

void setEncoderOptions(FfmpegCommand &command, const OutputTarget &target)
{
    const QString *given = command.value(QStringLiteral("-vcodec"));
    if (!given || command.has(QStringLiteral("-vn")))
        return;
    const QString encoder = *given; // setting options may move the command's values
    const bool copied = encoder == QLatin1String("copy");
    for (const EncoderSettings &settings : encoderSettings()) {
        if (copied || settings.encoder != encoder)
            continue;
        for (const QString &option : settings.removed)
            command.remove(option);
        if (!command.has(QStringLiteral("-b:v"))) {
            for (const Option &option : settings.withoutBitrate)
                command.set(option.first, option.second);
        }
        for (const Option &option : settings.options)
            command.set(option.first, option.second);
    }
    const QString codec = copied ? target.input.videoCodec : codecOfEncoder(encoder);
    if (codec == QLatin1String("hevc") && QStringList{"mp4", "mov"}.contains(target.container))
        command.set(QStringLiteral("-tag:v"), QStringLiteral("hvc1"));
}
