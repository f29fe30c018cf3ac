#pragma once
// Reduces a composed frame to a palette image of at most 256 colours, the
// colours the toolkit's 8-bit BMP encoder would choose.

class wxImage;

// The frame as the toolkit's 8-bit BMP encoding and decoding gives it, got
// straight from the encoder's quantizer. Invalid when the frame is.
wxImage ReduceFrameColours(const wxImage& composed);

// The same result the long way: encode as 8-bit BMP in memory and decode it
// again (sets a grey-ramp palette and the BMP format option on `composed`).
// The reference ReduceFrameColours must match byte for byte.
wxImage ReduceFrameColoursViaBmp(wxImage& composed);
