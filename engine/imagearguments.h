#pragma once

#include "engine/conversionpass.h"

#include <QStringList>

// The image converter's arguments: "-y" when the pass replaces an existing
// output, the input, with "[0]" after an existing file whose suffix is psd in
// any case (only the first layer is read), and the output, whose suffix names
// the format.
QStringList buildImageArguments(const ConversionPass &pass);
