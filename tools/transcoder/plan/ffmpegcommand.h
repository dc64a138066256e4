#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// An ffmpeg argument list with one input, split where the rewrites need it.
struct CommandOption {
    QString name;    // with its dash: "-vcodec"
    QString value;   // empty for a flag
    bool isFlag = false;
};

struct FfmpegCommand {
    QList<CommandOption> inputOptions;  // before "-i" (global ones included)
    QString inputPath;
    QList<CommandOption> outputOptions; // between the input and the output
    QString outputPath;

    // Output options only: those are what the application sets.
    bool has(const QString &name) const;
    // The value of the first output option of that name, or nullptr.
    const QString *value(const QString &name) const;
    // Sets the first output option of that name, or appends it.
    void set(const QString &name, const QString &value);
    void setFlag(const QString &name);
    // Removes every output option of that name.
    void remove(const QString &name);

    QStringList toArguments() const;
};

// nullopt when the list has no "-i INPUT" or no output after it.
std::optional<FfmpegCommand> parseFfmpegCommand(const QStringList &arguments);

// "640x480"; an invalid size when the text is none.
QSize parseFrameSize(const QString &text);

// "25", "29.97", "30000/1001"; 0 when the text is none.
double parseRate(const QString &text);

// A display shape, "16:9" or "1.7778"; 0 when the text is none.
double parseAspect(const QString &text);

// Seconds of an ffmpeg duration ("12", "12.345", "01:02:03.5", "-1");
// nullopt when the text is none.
std::optional<double> parseDuration(const QString &text);
