#include "encoder/outputsize.h"

wxSize DeriveOutputSize(const std::vector<wxSize>& frameSizes)
{
    wxSize size(0, 0);
    for (const wxSize& frame : frameSizes)
    {
        if (size.x < frame.x || size.y < frame.y)
            size = frame;
    }
    return size;
}
