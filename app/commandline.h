#pragma once

#include "app/outputprofile.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QCommandLineParser;

// A format of the command line: the name of its button in lower case.
struct BatchFormat {
    QString name;            // "mp4", "videomerge", "apple", ...
    int formatId = FormatMP4;
    OutputProfile profile;   // the button's profile (a device button's preset)
    QString description;     // translated, for --list-formats
};

// What the command line asks for.
struct CommandLineRequest {
    enum Mode { Window, Convert, ListFormats, Help, Version, Error };
    Mode mode = Window;
    QString error;           // Error: what is wrong, translated
    bool unknownOption = false; // Error: the parser met an option it does not know
    BatchFormat format;      // Convert
    QString outputFolder;    // Convert: absolute
    bool overwrite = false;  // Convert
    bool keepDates = false;  // Convert: outputs take their sources' modification time
    int jobsAtOnce = 0;      // Convert: how many jobs run at once; 0 for automatic
    qint64 fitBytes = 0;     // Convert: "Fit in" this many bytes (--size); 0 for none
    int loudness = 0;        // Convert: the sound's loudness target in LUFS; 0 leaves it as it is
    bool update = false;     // Convert: jobs whose outputs are up to date are not converted
    bool flat = false;       // Convert: a folder's outputs all go into the output folder itself
    bool checkQuality = false; // Convert: video jobs are compared with their sources
    QStringList files;       // Window and Convert: absolute paths of files and folders, in order
};

class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Every format a batch can write, in the order of the buttons.
    static QList<BatchFormat> formats();
    // The format of that name (case ignored; "icon" is "ico"); false for none.
    static bool formatNamed(const QString &name, BatchFormat *format);

    // True when the arguments ask for no window (--convert, --list-formats,
    // --help, --version): decided before any application object exists.
    static bool wantsNoWindow(const QStringList &arguments);
    // True when the arguments ask for a window: no windowless request, and no
    // bad argument but an unknown option, which may be one of Qt's own
    // (-platform, -style) that only the window's application object takes.
    static bool wantsWindow(const QStringList &arguments);

    // The options and the files argument.
    static void define(QCommandLineParser &parser);

    // Parses the arguments (the program's name first); relative paths are
    // taken from currentFolder.
    static CommandLineRequest parse(QCommandLineParser &parser, const QStringList &arguments,
                                    const QString &currentFolder);

    // The lines of --list-formats: name and description in two columns.
    static QString formatList();

    // Writes "quillmora: <error>" and where help is to standard error; gives
    // the exit code of bad arguments, 2.
    static int badArguments(const QString &error);
};
