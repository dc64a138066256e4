#pragma once

#include <QString>

// What a tool tells the application besides its exit code: lines of the form
// "quillmora:<key>=<value>" on its standard output.
namespace toolreport {

void tell(const char *key, const QString &value);

} // namespace toolreport
