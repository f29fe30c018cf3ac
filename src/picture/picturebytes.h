#pragma once
// Pictures held as their file's bytes: read once, so that what was decoded
// and what is kept are the same bytes, and decoded again later from memory
// through the same reader with the same limits.

#include "picture/picturelimits.h"
#include "picture/picturestatus.h"

#include <cstddef>
#include <string>

class wxImage;
class wxString;

// The whole of a regular file of at most `maxBytes`; false (and `bytes`
// empty) when it cannot be opened or is larger.
bool ReadPictureFileBytes(const wxString& path, std::size_t maxBytes, std::string& bytes);

// The picture `bytes` hold (a GIF's first frame), as the reader gives it for
// a file of these bytes that is not named ".gif".
PictureStatus ReadPictureBytes(const std::string& bytes, wxImage& picture,
                               const PictureLimits& limits = PictureLimits());
