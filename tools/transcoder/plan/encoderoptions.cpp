#include "tools/transcoder/plan/encoderoptions.h"

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
    QStringList taggedIn;         // containers that get the tag
    QString tag;
};

const QList<EncoderSettings> &encoderSettings()
{
    static const QList<EncoderSettings> table{
        {"libx265",
         {},
         {{"-preset", "ultrafast"}, {"-x265-params", "log-level=error"}},
         {},
         {"mp4", "mov"},
         "hvc1"},
        // Realtime with row threads: the good deadline takes many times as long.
        {"libvpx-vp9",
         {"-preset"},
         {{"-deadline", "realtime"}, {"-cpu-used", "8"}, {"-row-mt", "1"}},
         {{"-crf", "32"}, {"-b:v", "0"}},
         {},
         {}},
        {"libsvtav1", {}, {{"-preset", "12"}}, {}, {}, {}},
    };
    return table;
}

} // namespace

void setEncoderOptions(FfmpegCommand &command, const QString &container)
{
    const QString *encoder = command.value(QStringLiteral("-vcodec"));
    if (!encoder || command.has(QStringLiteral("-vn")))
        return;
    for (const EncoderSettings &settings : encoderSettings()) {
        if (settings.encoder != *encoder)
            continue;
        for (const QString &option : settings.removed)
            command.remove(option);
        if (!command.has(QStringLiteral("-b:v"))) {
            for (const Option &option : settings.withoutBitrate)
                command.set(option.first, option.second);
        }
        for (const Option &option : settings.options)
            command.set(option.first, option.second);
        if (settings.taggedIn.contains(container))
            command.set(QStringLiteral("-tag:v"), settings.tag);
        return;
    }
}
