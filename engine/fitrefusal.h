#pragma once

#include <QHash>
#include <QString>

// A size that cannot work is refused by the transcoder before it encodes: it
// tells the figures as "quillmora:" lines under these keys (bytes, seconds,
// bytes) and exits 1, and the run turns them into the row's reason.
namespace fitrefusal {

inline constexpr char sizeKey[] = "fit-size";
inline constexpr char secondsKey[] = "fit-seconds";
inline constexpr char leastKey[] = "fit-least";

// "25 MB is too small for 40:00 of video; 61 MB is the least that works",
// translated; the least is rounded up to the figure shown.
QString text(qint64 sizeBytes, double seconds, qint64 leastBytes);

// text() of a tool's reports, or empty when they hold no refusal.
QString reason(const QHash<QString, QString> &reports);

} // namespace fitrefusal
