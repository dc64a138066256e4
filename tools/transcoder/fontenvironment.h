#pragma once

// The application names its font configuration in FC_CONFIG_DIR and
// FC_CONFIG_FILE; fontconfig reads FONTCONFIG_PATH and FONTCONFIG_FILE.
// When the named file exists, this process and ffmpeg use it.
void useApplicationFontConfiguration();
