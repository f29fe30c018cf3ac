#pragma once
// Colour reduction of composed frames: exact when a frame has few enough
// colours, otherwise quantized with error-diffusion dithering.

#include "encoder/encodeoptions.h"

class wxImage;

// The frame with exactly its own colours as the palette (in order of first
// appearance), or an invalid image when it has more than 256 colours.
wxImage ReduceFrameExact(const wxImage& composed);

// The frame reduced to at most 256 colours chosen by libimagequant (from a
// sample of a large photograph-like frame) and mapped to them with
// Floyd-Steinberg dithering; `quality` as in GifEncodeOptions. Invalid when
// the frame is, or the quantizer fails.
wxImage QuantizeFrame(const wxImage& composed, int quality);

// The reduction the options ask for. Deterministic: the same frame and
// options give the same palette image on any thread.
wxImage ReduceFrame(const wxImage& composed, const GifEncodeOptions& options);
