// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The MIME types of the files Quillmora opens: those the freedesktop MIME
// database gives the suffixes of the video, audio and picture tables, kept
// to video/, audio/ and image/ types and the container types filed under
// application/ (RealMedia, ASF), and inode/directory for folders. Sorted,
// no duplicates.
QStringList desktopMimeTypes();

// The whole .desktop entry of the application whose icon is named iconName.
QString desktopEntryText(const QString &iconName);
