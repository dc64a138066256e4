#include "mainwindow/settingsstore.h"

#include "app/outputfolder.h"
#include "app/optiontables.h"

#include <QDir>
#include <QSettings>
#include <QVariant>

#include <algorithm>

namespace {

const char *const mp4Keys[OptionFieldCount] = {
    "mp4-vCodec", "mp4-vSize", "mp4-vFps", "mp4-vBitrate", "mp4-vAspectRatio",
    "mp4-aCodec", "mp4-aChannels", "mp4-aSamples", "mp4-aBitrate",
};
constexpr int AudioFieldCount = 4;
const char *const mp3Keys[AudioFieldCount] = {
    "mp3-aCodec", "mp3-aChannels", "mp3-aSamples", "mp3-aBitrate",
};

// The grip of a window: the strip of its title bar.
constexpr int GripHeight = 30;
constexpr int GripWidth = 100;

QString folderValue(const QSettings &store, const char *key, const QString &fallback)
{
    const QVariant value = store.value(QLatin1String(key));
    if (value.typeId() != QMetaType::QString)
        return fallback;
    const QString folder = value.toString();
    return QDir::isAbsolutePath(folder) ? QDir::cleanPath(folder) : fallback;
}

// "true" or "false" as the store writes a bool; anything else gives the fallback.
bool boolValue(const QSettings &store, const char *key, bool fallback)
{
    const QString value = store.value(QLatin1String(key)).toString();
    return value == QLatin1String("true") || (fallback && value != QLatin1String("false"));
}

bool canBeGrabbed(const QRect &window, const QRect &screen)
{
    const QRect grip(window.topLeft(), QSize(window.width(), std::min(window.height(), GripHeight)));
    const QRect shown = grip & screen;
    return !shown.isEmpty() && shown.top() == grip.top()
           && shown.width() >= std::min(window.width(), GripWidth);
}

int placeWithin(int start, int length, int areaStart, int areaLength)
{
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

QSettings *openSettingsStore()
{
    return new QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Trolltech"),
                         QStringLiteral("Quillmora"));
}

StoredSettings readStoredSettings(QSettings &store)
{
    StoredSettings settings;
    settings.outFolder = defaultOutputFolder();
    if (store.status() != QSettings::NoError)
        return settings;

    const QVariant pos = store.value(QStringLiteral("pos"));
    if (pos.typeId() == QMetaType::QPoint)
        settings.pos = pos.toPoint();
    const QVariant size = store.value(QStringLiteral("size"));
    if (size.typeId() == QMetaType::QSize && !size.toSize().isEmpty())
        settings.size = size.toSize();
    settings.outFolder = folderValue(store, "outFolder", settings.outFolder);
    settings.openFolder = folderValue(store, "openFolder", QString());
    settings.keepSourceDates = boolValue(store, "keepSourceDates", false);
    settings.keepFolderStructure = boolValue(store, "keepFolderStructure", true);
    settings.skipConverted = boolValue(store, "skipConverted", false);
    settings.checkQuality = boolValue(store, "checkQuality", false);
    bool number = false;
    const int jobsAtOnce = store.value(QStringLiteral("jobsAtOnce")).toInt(&number);
    if (number && jobsAtOnce > 0)
        settings.jobsAtOnce = jobsAtOnce;
    return settings;
}

void writeStoredSettings(QSettings &store, const StoredSettings &settings,
                         const ProfileTableRows &profiles)
{
    store.setValue(QStringLiteral("pos"), settings.pos);
    store.setValue(QStringLiteral("size"), settings.size);
    store.setValue(QStringLiteral("outFolder"), settings.outFolder);
    store.setValue(QStringLiteral("keepSourceDates"), settings.keepSourceDates);
    store.setValue(QStringLiteral("jobsAtOnce"), settings.jobsAtOnce);
    store.setValue(QStringLiteral("keepFolderStructure"), settings.keepFolderStructure);
    store.setValue(QStringLiteral("skipConverted"), settings.skipConverted);
    store.setValue(QStringLiteral("checkQuality"), settings.checkQuality);
    store.setValue(QStringLiteral("openFolder"), settings.openFolder);

    const OutputProfile &mp4 = profiles[FormatMP4];
    for (int field = 0; field < OptionFieldCount; ++field)
        store.setValue(QLatin1String(mp4Keys[field]),
                       mp4.field(profilePosition(static_cast<OptionField>(field))));
    const OutputProfile &mp3 = profiles[FormatMP3];
    const int firstAudio = profilePosition(OptionField::AudioCodec);
    for (int field = 0; field < AudioFieldCount; ++field)
        store.setValue(QLatin1String(mp3Keys[field]), mp3.field(firstAudio + field));
    store.sync();
}

QStringList storedProfileKeys()
{
    QStringList keys;
    for (const char *key : mp4Keys)
        keys << QLatin1String(key);
    for (const char *key : mp3Keys)
        keys << QLatin1String(key);
    return keys;
}

QRect fitOntoScreens(const QRect &window, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return window;
    for (const QRect &screen : screens) {
        if (canBeGrabbed(window, screen))
            return window;
    }
    const QRect &screen = screens.first();
    const QSize size = window.size().boundedTo(screen.size());
    return QRect(placeWithin(window.x(), size.width(), screen.x(), screen.width()),
                 placeWithin(window.y(), size.height(), screen.y(), screen.height()), size.width(),
                 size.height());
}
