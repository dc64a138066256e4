#pragma once

#include <QString>

class CQuillmora;
class ScriptedPrompts;

// Lays out a plausible user's media under home (Videos, Music, Pictures) and
// adds it to the window through its format buttons, answering the file dialog
// with prompts: three videos to MP4, a song to MP3, a photo to PNG and a
// three-part Video Merge. Then plays the start of a run through the window's
// signals: the first row done, the second converting. The files are sparse:
// their sizes read true in the table, their content is never converted.
// Returns an error text, empty on success.
QString addDemoJobs(CQuillmora &window, ScriptedPrompts &prompts, const QString &home);
