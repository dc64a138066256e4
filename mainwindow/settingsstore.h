#pragma once

#include "app/outputprofile.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QSettings;

// What the window keeps from one run to the next.
struct StoredSettings {
    QPoint pos{200, 200};
    QSize size{100, 250};
    QString outFolder;  // the default output folder unless the store says otherwise
    QString openFolder; // where the file dialog starts; empty for its own default
    bool keepSourceDates = false; // outputs take their sources' modification time
    int jobsAtOnce = 0;           // how many jobs a run converts at once; 0: automatic
    bool keepFolderStructure = true; // a folder's files have their outputs in the same subfolders
    bool skipConverted = false;      // jobs whose outputs are up to date are not converted
    bool checkQuality = false;    // video jobs are compared with their sources after the encode
};

// The user's store: organisation "Trolltech", application "Quillmora", native format.
QSettings *openSettingsStore();

// Reads the window keys. A store that cannot be read gives the defaults;
// so does each value of the wrong type, an empty size or a relative folder.
StoredSettings readStoredSettings(QSettings &store);

// Writes the window keys, then the MP4 and MP3 encoder choices of the profile
// table for the tools and users that read them (they are never read back).
void writeStoredSettings(QSettings &store, const StoredSettings &settings,
                         const ProfileTableRows &profiles);

// The thirteen profile keys, in the order they are written.
QStringList storedProfileKeys();

// A window rectangle moved (and shrunk where need be) so that its top edge,
// where it is grabbed, lies on one of the screens; unchanged when it does
// already. The first screen takes a window that lies on none.
QRect fitOntoScreens(const QRect &window, const QList<QRect> &screens);
