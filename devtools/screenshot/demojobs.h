#pragma once

#include <QString>

#include <functional>

class CQuillmora;
class ScriptedPrompts;
class QWidget;

// Lays out a plausible user's media under home (Videos, Music, Pictures) and
// adds it to the window through its format buttons, answering the file dialog
// with prompts: three videos to MP4, a song to MP3, a photo to PNG and a
// three-part Video Merge. The files are sparse: their sizes read true in the
// table, their content is never converted. Returns an error text, empty on success.
QString addDemoJobs(CQuillmora &window, ScriptedPrompts &prompts, const QString &home);

// Plays the start of a run through the window's signals: the first row
// done, the second converting.
void playRunStart(CQuillmora &window);

// Plays a run further on, with the window's side of the run active: the
// first row done, the second failed (its tooltip says why), the third
// converting. grabBar is called with the third row's bar at each of a few
// values, the time left beside each; the run stops at the last of them.
void playRunInProgress(CQuillmora &window, const std::function<void(QWidget &bar)> &grabBar);

// The row that converts in playRunInProgress.
constexpr int RunInProgressRow = 2;
