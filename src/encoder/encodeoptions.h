#pragma once
// How the encoder turns composed frames into GIF data. The defaults are what
// the window's Save uses.

enum class GifQuantizer
{
    ImageQuant, // exact colours when a frame has at most 256, else libimagequant with dithering
    Toolkit,    // the toolkit's wxQuantize, as the 8-bit BMP encoder would choose
};

struct GifEncodeOptions
{
    GifQuantizer quantizer = GifQuantizer::ImageQuant;
    // 1 to 100: lower lets the quantizer use fewer colours and dither less,
    // and lets parts that barely changed keep the colours of the frame
    // before more readily, for smaller files. Without `optimize`, frames of
    // at most 256 colours stay exact at any value; with it, below 100 the
    // lossy writer shows every pixel within a bound that grows as the value
    // falls (see GifLossyWriter).
    int quality = 100;
    // Frame differencing: unchanged pixels transparent, each frame cropped to
    // what changed. At quality 100 every displayed picture stays the same as
    // without it.
    bool optimize = false;
};
