#pragma once
// Bounds on what reading an untrusted clip may cost: its pictures' size, the
// frames one read gives and the time and data between two frames.

#include "picture/picturelimits.h"

#include <cstdint>

struct VideoLimits
{
    // One decoded frame, as stored and as shown, at most.
    std::uint64_t maxPicturePixels = PictureLimits().maxPicturePixels;
    // Frames one read may deliver.
    std::int64_t maxFrames = 3000;
    // The longest wait for the clip's headers, and then for each next frame.
    int frameSeconds = 10;
    // Packets of the picture stream that may pass without giving a frame.
    int maxPacketsWithoutFrame = 3000;
    // Decoding threads; 0: one per core.
    int threads = 0;
};
