#include "window/previewplacement.h"

#include <algorithm>

wxRect PlacePreview(const wxSize& panel, const wxSize& picture)
{
    if (picture.x <= 0 || picture.y <= 0)
        return wxRect();
    const double rw = static_cast<double>(panel.x) / picture.x;
    const double rh = static_cast<double>(panel.y) / picture.y;
    wxSize size = picture;
    if (rw < 1 || rh < 1)
    {
        const double f = std::max(0.0, std::min(rw, rh));
        // A sliver keeps one pixel rather than vanish.
        size = wxSize(std::max(1, static_cast<int>(picture.x * f)), std::max(1, static_cast<int>(picture.y * f)));
    }
    return wxRect((panel.x - size.x) / 2, (panel.y - size.y) / 2, size.x, size.y);
}
