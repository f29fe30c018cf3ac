#pragma once
// Bounds on what reading untrusted pictures may cost. A file beyond them is
// refused with a clear reason instead of being allocated.

#include <cstdint>

struct PictureLimits
{
    static constexpr std::uint64_t kMegapixel = 1024 * 1024;

    // One picture, and a GIF's drawing surface (its logical screen), at most.
    std::uint64_t maxPicturePixels = 64 * kMegapixel;
    // What one call that collects every frame of a file may hold at once.
    std::uint64_t maxHeldPixels = 1024 * kMegapixel;
    // A progressive JPEG refines in scans; real files have a few dozen.
    int maxJpegScans = 1000;
};

// "too large: W x H exceeds 64 megapixels" unless W x H is within the limit.
bool FitsPictureLimit(std::uint64_t width, std::uint64_t height, const PictureLimits& limits);
