#pragma once
// Colour reduction of composed frames: exact when a frame has few enough
// colours, otherwise quantized with error-diffusion dithering.

#include "encoder/encodeoptions.h"

#include <wx/gdicmn.h>

class wxImage;

// The frame with exactly its own colours as the palette (in order of first
// appearance), or an invalid image when it has more than 256 colours.
wxImage ReduceFrameExact(const wxImage& composed);

// At most `maxColours` colours for the frame, chosen by libimagequant (from
// a sample of a large photograph-like frame), pure black among them with
// `withBlack`. The number of entries written, 0 when the quantizer fails.
int QuantizePalette(const wxImage& composed, int quality, int maxColours, bool withBlack,
                    unsigned char (*entries)[3]);

// The frame reduced to at most 256 colours chosen by QuantizePalette and
// mapped to them with Floyd-Steinberg dithering; `quality` as in
// GifEncodeOptions. `area` is where the picture lies (empty: everywhere):
// no error is pushed out of it, and the black around it stays black.
// Invalid when the frame is, or the quantizer fails.
wxImage QuantizeFrame(const wxImage& composed, int quality, const wxRect& area = wxRect());

// The reduction the options ask for. Deterministic: the same frame and
// options give the same palette image on any thread.
wxImage ReduceFrame(const wxImage& composed, const GifEncodeOptions& options, const wxRect& area = wxRect());

// The frame's own colours when it has at most `maxColours`, otherwise those
// QuantizePalette chooses at full quality. The number of entries, 0 on
// failure.
int ChooseFrameColours(const wxImage& composed, int maxColours, bool withBlack, unsigned char (*entries)[3]);
