#pragma once

#include <QString>

// "Quillmora" in the current language followed by "V1.0": the title of the
// main window and of every message box. Fixed on first use.
QString appTitle();
