#include "picture/picturelimits.h"

bool FitsPictureLimit(std::uint64_t width, std::uint64_t height, const PictureLimits& limits)
{
    // Both sides come from 32-bit fields at most, so the product cannot wrap.
    return width > 0 && height > 0 && width <= 0xFFFFFFFFu && height <= 0xFFFFFFFFu &&
           width * height <= limits.maxPicturePixels;
}
