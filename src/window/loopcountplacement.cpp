#include "window/loopcountplacement.h"

#include <algorithm>

namespace
{
const int kSpinX = 195; // the number box's place in the layout
const int kGap = 6;     // between a label and the control after it
const int kMargin = 10; // inside the frame, and from the frame to the dialog's edge
} // namespace

LoopCountPlacement PlaceLoopCount(const wxRect& countChoice, const wxRect& infiniteChoice, const wxSize& spinSize,
                                  const wxSize& unitSize, const wxRect& box, int boxCaption, const wxSize& client)
{
    LoopCountPlacement placement;
    const int rowMiddle = countChoice.y + countChoice.height / 2;
    const int spinX = std::max({kSpinX, countChoice.GetRight() + 1 + kGap, infiniteChoice.GetRight() + 1 + kGap});
    const int spinY = std::max(rowMiddle - spinSize.y / 2, box.y + boxCaption);
    placement.spin = wxRect(wxPoint(spinX, spinY), spinSize);
    placement.unit = wxRect(wxPoint(placement.spin.GetRight() + 1 + kGap, rowMiddle - unitSize.y / 2), unitSize);

    placement.box = box;
    placement.box.width = std::max(box.width, placement.unit.GetRight() + 1 + kMargin - box.x);
    placement.box.height = std::max(box.height, placement.spin.GetBottom() + 1 + kMargin - box.y);
    placement.below = placement.box.height - box.height;
    placement.client = wxSize(std::max(client.x, placement.box.GetRight() + 1 + kMargin), client.y + placement.below);
    return placement;
}
