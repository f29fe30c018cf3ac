#include "strip/thumbnaillabel.h"

float FrameStartTime(int index, int frameDelay)
{
    // Kept in single precision: the two-decimal rounding of the label is
    // taken from this value.
    const float delaySeconds = static_cast<float>(frameDelay / 100.0);
    return static_cast<float>(index * delaySeconds);
}

wxString FormatFrameLabel(int index, int frameDelay)
{
    return wxString::Format("#%d  %.2fsec", index + 1,
                            static_cast<double>(FrameStartTime(index, frameDelay)));
}
