#include "app/loudnesschoices.h"

#include <QCoreApplication>

namespace {

const std::array<LoudnessChoice, LoudnessChoiceCount> choices = {{
    {0, QT_TRANSLATE_NOOP("OutputSettings", "Off")},
    {-14, QT_TRANSLATE_NOOP("OutputSettings", "-14 LUFS (streaming)")},
    {-16, QT_TRANSLATE_NOOP("OutputSettings", "-16 LUFS (podcasts and phones)")},
    {-23, QT_TRANSLATE_NOOP("OutputSettings", "-23 LUFS (EBU R128 broadcast)")},
}};

} // namespace

const std::array<LoudnessChoice, LoudnessChoiceCount> &loudnessChoices()
{
    return choices;
}

bool isLoudnessTarget(int lufs)
{
    for (const LoudnessChoice &choice : choices) {
        if (choice.lufs == lufs)
            return lufs != 0;
    }
    return false;
}

QString loudnessLabel(int lufs)
{
    for (const LoudnessChoice &choice : choices) {
        if (choice.lufs == lufs)
            return QCoreApplication::translate("OutputSettings", choice.label);
    }
    return QCoreApplication::translate("OutputSettings", choices[0].label);
}
