#pragma once

#include <QString>

// The process-wide output folder. Jobs take their output path from it when
// they are added or refreshed, not when they run.
QString defaultOutputFolder(); // home folder + "/OutFolder"
QString outputFolder();
void setOutputFolder(const QString &folder);

// Creates the folder with its missing parents when it is not there, and tells
// whether a file can be written into it.
bool makeWritableFolder(const QString &folder);

// folder + "/" + the input's name without its last suffix + the format's
// suffix; with a subfolder ("Artist/Album"), inside that folder of folder.
QString outputPathFor(const QString &folder, const QString &inputPath, int formatId,
                      const QString &subfolder = QString());

// Output path of a joiner job: MergedVideo.mp4, or MergedAudio.mp3 for the audio joiner.
QString joinOutputPath(const QString &folder, int category);
