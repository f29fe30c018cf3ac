#pragma once
// The compact forms a frame is kept in. A picture that came from a JPEG or
// PNG file is kept as that file's own bytes, decoded again through the
// picture reader; any other picture (a GIF's composed frame, a BMP) as its
// pixels compressed without loss. Both come back pixel for pixel as added.

#include <string>

class wxImage;

// The packed form of `picture`: `source` (the bytes the picture was decoded
// from, or empty) when those are the smaller, else the compressed pixels.
std::string PackFrame(const wxImage& picture, std::string&& source);

// The picture a packed form holds; false when the bytes are damaged (they
// are checked as any other input is).
bool UnpackFrame(const std::string& packed, wxImage& picture);
