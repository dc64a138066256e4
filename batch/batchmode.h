#pragma once

#include "app/commandline.h"

#include <QCoreApplication>

// quillmora --convert: the jobs of the command line through the same run
// as the window's, with no widget and no display. Needs a QCoreApplication.
class BatchMode
{
    Q_DECLARE_TR_FUNCTIONS(BatchMode)

public:
    // The exit code: 0 when every job succeeded, 1 when some failed, 2 when
    // the output folder cannot be made, 128 + the signal after SIGINT, SIGTERM or SIGHUP.
    static int run(const CommandLineRequest &request);
};
