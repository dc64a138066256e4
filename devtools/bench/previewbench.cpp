// Figures of the preview player on one clip: open to first painted frame,
// brightness change to the first frame that shows it, and the CPU time the
// player costs over a stretch of playback. scripts/bench-preview.sh runs it.
//   quillmora_bench_preview CLIP [SECONDS]
#include "tests/vlc/vlcsession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop until the condition holds after a painted frame; false on time-out.
template <typename Condition>
bool untilPainted(VlcWidgetVideo &video, Condition condition, int timeoutMs = 10000)
{
    bool met = false;
    QEventLoop loop;
    QObject::connect(&video, &VlcWidgetVideo::framePainted, &loop, [&] {
        if (condition()) {
            met = true;
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return met;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillmora_bench_preview CLIP [SECONDS]\n");
        return 2;
    }
    const QString clip = QString::fromLocal8Bit(argv[1]);
    const int seconds = argc > 2 ? QByteArray(argv[2]).toInt() : 10;

    VlcSession session;
    session.video.resize(640, 360);
    session.video.show();

    // The first opening loads libVLC's modules; later ones (the next job) find them loaded.
    QElapsedTimer clock;
    for (const char *which : {"first", "second"}) {
        session.player.stop();
        QTest::qWait(300); // frames of the earlier opening still on their way
        clock.start();
        session.media = std::make_unique<VlcMedia>(clip, true, &session.instance);
        session.player.open(session.media.get());
        if (!untilPainted(session.video, [] { return true; }))
            return std::fprintf(stderr, "no frame painted\n"), 1;
        std::printf("open to first painted frame (%s opening): %.3f s\n", which, clock.elapsed() / 1000.0);
    }

    QTest::qWait(1000);
    const double before = framecheck::meanLevel(session.video.lastFrame());
    clock.restart();
    session.player.video()->setBrightness(-60);
    if (!untilPainted(session.video, [&] { return framecheck::meanLevel(session.video.lastFrame()) < before - 25; }))
        return std::fprintf(stderr, "brightness change never shown\n"), 1;
    std::printf("brightness change to first frame showing it: %.3f s\n", clock.elapsed() / 1000.0);
    session.player.video()->setBrightness(0);

    const int framesBefore = session.video.frameCount();
    const double cpuBefore = cpuSeconds();
    clock.restart();
    QTest::qWait(seconds * 1000);
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = clock.elapsed() / 1000.0;
    std::printf("playing %.1f s: %.2f CPU s (%.0f%% of one core), %d frames painted\n", wall, cpu,
                100.0 * cpu / wall, session.video.frameCount() - framesBefore);
    std::printf("player cpu seconds: %.3f\n", cpu);
    return 0;
}
