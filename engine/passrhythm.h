#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

// The rhythm of a window's progress bars. The run tells a pass's start, its
// percentages and its end the moment they happen and goes on at once; this
// sends them on in the order they came, but holds a row's end back until its
// bar has shown 100 for a pause, and a row's next start (a join's next part)
// until a pause after its last bar went. Each row keeps a rhythm of its own,
// so rows that end together go together. GUI thread only.
class PassRhythm : public QObject
{
    Q_OBJECT

public:
    static constexpr int defaultPauseMs = 100;

    explicit PassRhythm(QObject *parent = nullptr);

    void setPauseMs(int ms) { pauseMs = ms; }

    void passStarted(int row);
    void progress(int row, int percent);
    void passEnded(int row);

    // Runs then once nothing is held back: at once, or when the last held call has gone out.
    void whenIdle(std::function<void()> then);
    // Forgets what is held back, and the call whenIdle() was given.
    void clear();

signals:
    void started(int row);
    void progressed(int row, int percent);
    void ended(int row);

private:
    enum class Kind { Started, Progress, Ended };
    struct Call {
        Kind kind;
        int percent;
    };
    struct Row {
        std::deque<Call> held;
        qint64 fullAtMs = -1;  // when its bar last showed 100
        qint64 endedAtMs = -1; // when its bar last went
    };

    void take(int row, Call call);
    // Sends on every call that is due and sets the timer for the next.
    void release();
    qint64 dueAt(const Row &entry) const;
    bool isIdle() const;

    int pauseMs = defaultPauseMs;
    QHash<int, Row> rows;
    QElapsedTimer clock;
    QTimer timer;
    std::function<void()> onIdle;
};
