#pragma once

#include <QApplication>

class QWidget;

// The application of the start-up benchmarks (scripts/bench-startup.sh): it
// prints, once, the milliseconds from the program's launch to the end of the
// first paint of the watched window, when the window's pixels have gone to
// the display, and ends the event loop. The launch is the moment the script
// puts in QUILLMORA_LAUNCHED_AT (bash's $EPOCHREALTIME) just before exec, so
// that the dynamic loader's work counts too.
class FirstPaintApplication : public QApplication
{
public:
    FirstPaintApplication(int &argc, char **argv);

    void watch(QWidget *window) { watched = window; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    QWidget *watched = nullptr;
    bool painted = false;
};
