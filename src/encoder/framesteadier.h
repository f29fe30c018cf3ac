#pragma once
// Keeps still parts of an animation still. Error-diffusion dithering spreads
// each change over the pixels after it, and a new palette moves every dither
// pattern, so a picture that stands still would shimmer from frame to frame
// (and every frame would differ everywhere). Runs on the frames in order; the
// result depends only on the frames and the quality, never on timing.
//
// When few pixels changed and the previous frame with just those pixels
// mapped to the nearest entries of its palette is about as close to the
// picture as the frame reduced on its own (a tenth more squared error over
// the frame at full quality, or one step per channel on the changed
// pixels), the frame becomes that.
// Otherwise it keeps its own palette, and every pixel whose composed colour
// did not change takes the colour shown there before wherever that palette
// holds it.

#include <wx/image.h>

class GifFrameSteadier
{
public:
    // `quality` 1 to 100 as in GifEncodeOptions: lower accepts the previous
    // palette for more.
    explicit GifFrameSteadier(int quality = 100);

    // Changes `reduced` (the palette image made from `composed`) in place.
    void Steady(const wxImage& composed, wxImage& reduced) const;
    // The frame as it was written, for the next one.
    void Remember(const wxImage& composed, const wxImage& displayed);

private:
    // The previous frame with the changed pixels in its palette's nearest
    // colours, when that is no worse than `reduced` by more than the
    // tolerance; invalid otherwise.
    wxImage CarryPalette(const wxImage& composed, const wxImage& reduced) const;
    void KeepStillPixels(const wxImage& composed, wxImage& reduced) const;

    const double m_tolerance; // how much more error, as a fraction, the previous palette may make
    wxImage m_composed;     // the previous frame before reduction
    wxImage m_displayed;    // and as it was written
};
