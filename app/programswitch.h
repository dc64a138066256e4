#pragma once

#include <QString>

// Starts the program that programFor(<this program's folder>) names in this
// process's place, with the same arguments (Qt's own options among them) and
// the same argv[0]; returns only when it cannot, after saying why in the
// user's language, with the exit code 127.
int startInstead(QString (*programFor)(const QString &applicationFolder), int argc, char *argv[]);
