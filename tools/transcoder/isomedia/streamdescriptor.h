#pragma once

#include "tools/transcoder/isomedia/bytereader.h"

#include <optional>

// MPEG-4 elementary stream descriptors ('esds') and the AAC configuration
// in them, read the way libavformat reads them.

struct StreamDescriptor {
    int objectType = 0;           // the decoder configuration's object type indication
    bool hasSpecificInfo = false;
    ByteReader specificInfo;      // the decoder specific info (for AAC an AudioSpecificConfig)
};

// False when the box holds no decoder configuration or does not hold what it declares.
bool readStreamDescriptor(ByteReader payload, StreamDescriptor *descriptor);

struct AacConfig {
    int sampleRate = 0;
    int channels = 0;
};

// The sample rate and channels libavformat takes from an AudioSpecificConfig:
// the SBR rate when one is signalled, else the core rate. Nothing for object
// types it would name another codec for (MP3 on MPEG-4, ALS), channel
// configurations it leaves at 0, unlisted rates and configurations that end
// before they say all this.
std::optional<AacConfig> readAacConfig(ByteReader config);
