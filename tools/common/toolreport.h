#pragma once

#include <QString>

class TemporaryOutput;

// What a tool tells the application besides its exit code: lines of the form
// "quillmora:<key>=<value>" on its standard output.
namespace toolreport {

void tell(const char *key, const QString &value);

// "output": the absolute name the file was written under, when it is not the
// one asked for (the name was taken and the file took a free "_N" one).
void tellWrittenName(const TemporaryOutput &output);

} // namespace toolreport
