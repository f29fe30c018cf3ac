#include "strip/thumbnaillabel.h"

#include <wx/dc.h>
#include <wx/filefn.h>

#include <cmath>

const char* const kWidestFrameLabel = "#9999  9999.99sec";

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

wxString FitFileLabel(const wxString& name, const wxDC& dc, int width)
{
    if (name.empty() || dc.GetTextExtent(name).x <= width)
        return name;
    // The most characters that fit around the ellipsis, taken alternately
    // from the start and the end; each one more only widens the text.
    const wxString ellipsis = wxString::FromUTF8("\xe2\x80\xa6");
    const auto shorten = [&](size_t kept) { return name.Left((kept + 1) / 2) + ellipsis + name.Right(kept / 2); };
    size_t low = 0, high = name.length() - 1;
    while (low < high)
    {
        const size_t kept = (low + high + 1) / 2;
        if (dc.GetTextExtent(shorten(kept)).x <= width)
            low = kept;
        else
            high = kept - 1;
    }
    return shorten(low);
}

wxString TileFileName(const wxString& path)
{
    const wxString name = wxFileNameFromPath(path);
    const size_t at = name.rfind("#t=");
    double seconds = 0;
    if (at == wxString::npos || at == 0 || !name.Mid(at + 3).ToCDouble(&seconds) || !(seconds >= 0) ||
        seconds > 1e9)
        return name;
    const long long tenths = std::llround(seconds * 10);
    return name.Left(at) + wxString::Format(" %lld:%02lld.%lld", tenths / 600, tenths / 10 % 60, tenths % 10);
}
