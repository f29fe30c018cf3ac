#pragma once
// The format decoders behind the picture reader. Each reads from the start of
// `file`, checks every size against the limits before allocating, and gives
// the sink only complete frames.

#include "picture/picturereader.h"

enum class PictureFormat
{
    Unknown,
    Png,
    Jpeg,
    Bmp,
    Gif
};

// TooLarge, with "W x H exceeds N megapixels".
PictureStatus TooLargePicture(std::uint64_t width, std::uint64_t height, const PictureLimits& limits);

// From the first bytes; the file position is left at the start.
PictureFormat SniffPictureFormat(std::FILE* file);

// `allFrames` matters to GIF only: false stops after the first frame.
PictureStatus DecodeGif(std::FILE* file, bool allFrames, const PictureFrameSink& sink, const PictureLimits& limits);
PictureStatus DecodePng(std::FILE* file, const PictureFrameSink& sink, const PictureLimits& limits);
PictureStatus DecodeJpeg(std::FILE* file, const PictureFrameSink& sink, const PictureLimits& limits);
PictureStatus DecodeBmp(std::FILE* file, const PictureFrameSink& sink, const PictureLimits& limits);

PictureStatus ProbeGif(std::FILE* file, wxSize& size, const PictureLimits& limits);
PictureStatus ProbePng(std::FILE* file, wxSize& size, const PictureLimits& limits);
PictureStatus ProbeJpeg(std::FILE* file, wxSize& size, const PictureLimits& limits);
PictureStatus ProbeBmp(std::FILE* file, wxSize& size, const PictureLimits& limits);
