// Prints how long the preview takes to show a picture: from Edit to the
// first painted frame of the job's clip, and from a slider move to the first
// painted frame that shows the new brightness. See scripts/bench-edit.sh.
//   quillmora_bench_edit CLIP [ROUNDS]

#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/preview/demoplayeraccess.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>

namespace {

double meanLuma(const QImage &frame)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < frame.height(); y += 8)
        for (int x = 0; x < frame.width(); x += 8, ++count)
            sum += qGray(frame.pixel(x, y));
    return count ? sum / count : 0;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

// Notes the first paint of a video widget that has a frame to paint.
class FirstFrameWatch : public QObject
{
public:
    QElapsedTimer clock;
    qint64 shownMs = -1;
    qint64 firstFrameMs = -1;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (shownMs < 0 && event->type() == QEvent::Show && qobject_cast<DemoPlayer *>(watched))
            shownMs = clock.elapsed();
        if (firstFrameMs < 0 && event->type() == QEvent::Paint) {
            auto *video = qobject_cast<VlcWidgetVideo *>(watched);
            if (video && video->frameCount() > 0)
                firstFrameMs = clock.elapsed();
        }
        return false;
    }
};

// Moves the brightness slider between 0 and -80 and times each move to the
// first painted frame whose brightness shows it.
QList<double> sliderDelays(DemoPlayer &dialog, int rounds)
{
    DemoPlayerTestAccess access(dialog);
    QList<double> delays;
    const double plain = meanLuma(access.frameAfter(10));
    for (int round = 0; round < rounds; ++round) {
        const bool darken = round % 2 == 0;
        QElapsedTimer clock;
        clock.start();
        access.ui().m_pBrightnessControlBar->setValue(darken ? -80 : 0);
        bool shown = false;
        while (!shown && clock.elapsed() < 3000) {
            const QImage frame = access.frameAfter(1, 3000);
            const double luma = meanLuma(frame);
            shown = darken ? luma < plain * 0.5 : luma > plain * 0.9;
        }
        delays << (shown ? clock.elapsed() : -1);
        access.frameAfter(5);
    }
    return delays;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillmora_bench_edit CLIP [ROUNDS]\n");
        return 2;
    }
    const QString clip = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? atoi(argv[2]) : 5;
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    ScriptedPrompts prompts;
    prompts.fileAnswers = {{clip}};
    CQuillmora window;
    window.findChild<QToolButton *>(QStringLiteral("btnMP4"))->click();
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("jobTable"));
    if (!table || table->rowCount() != 1) {
        std::fprintf(stderr, "the clip did not become a job\n");
        return 1;
    }
    window.show();
    table->setCurrentCell(0, 0);

    QList<double> editDelays;
    QList<double> showDelays;
    QList<double> slider;
    for (int round = 0; round < rounds; ++round) {
        FirstFrameWatch watch;
        app.installEventFilter(&watch);
        QTimer::singleShot(0, [&] {
            QTimer *poll = new QTimer(&app);
            QObject::connect(poll, &QTimer::timeout, [&, poll] {
                auto *dialog = qobject_cast<DemoPlayer *>(QApplication::activeModalWidget());
                if (!dialog || watch.firstFrameMs < 0)
                    return;
                poll->deleteLater();
                if (round == 0)
                    slider = sliderDelays(*dialog, rounds * 2);
                dialog->reject();
            });
            poll->start(5);
        });
        watch.clock.start();
        window.findChild<QAction *>(QStringLiteral("actionEdit"))->trigger();
        app.removeEventFilter(&watch);
        editDelays << watch.firstFrameMs;
        showDelays << watch.shownMs;
    }

    std::printf("Edit to first painted frame (720p clip): median %.0f ms over %d openings (target < 300 ms)\n",
                median(editDelays), rounds);
    std::printf("  of which until the dialog is shown (built, clip opened and playing): median %.0f ms\n",
                median(showDelays));
    std::printf("brightness slider to first frame showing it: median %.0f ms over %d moves\n", median(slider),
                int(slider.size()));
    return 0;
}
