// What the strip puts on the screen, checked pixel by pixel: tile fills and
// bevels, labels, the focus rectangle, and that a paint only draws the tiles
// its update region touches.
#include "stripfixture.h"
#include "window/imagethumbnailitem.h"
#include "window/thumbnaillabel.h"

#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/region.h>

#include <cstdlib>
#include <functional>

namespace
{
wxColour Pixel(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

int CountPixels(const wxImage& image, const wxRect& area,
                const std::function<bool(const wxColour&)>& match)
{
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x)
            if (match(Pixel(image, x, y)))
                ++count;
    return count;
}

class StripPaint : public StripFixture
{
protected:
    // One tile at (10, 10) drawn by the entry itself with the given style.
    wxImage DrawTile(wxThumbnailItem& item, int style, int index)
    {
        wxBitmap target(120, 200, 24);
        wxMemoryDC dc(target);
        dc.SetBackground(wxBrush(wxColour(255, 0, 255)));
        dc.Clear();
        EXPECT_TRUE(item.DrawBackground(dc, m_strip, Tile(), ImageBox(), style, index));
        dc.SelectObject(wxNullBitmap);
        return target.ConvertToImage();
    }

    wxRect Tile() const
    {
        const wxSize size = m_strip->GetThumbnailOverallSize();
        return wxRect(10, 10, size.x, size.y);
    }
    wxRect ImageBox() const { return wxRect(13, 16 + m_strip->GetThumbnailTextHeight(), 80, 80); }
    wxRect FileLabelBox() const { return wxRect(13, 13, 80, m_strip->GetThumbnailTextHeight()); }
    wxRect FrameLabelBox() const
    {
        const int t = m_strip->GetThumbnailTextHeight();
        return wxRect(13, Tile().GetBottom() + 1 - 3 - t, 80, t);
    }

    // The label as it must look: the text in the control's font on the tile
    // fill, clipped to its box.
    wxImage ReferenceLabel(const wxString& text, const wxColour& colour, const wxRect& box,
                           const wxColour& fill)
    {
        wxBitmap target(120, 200, 24);
        wxMemoryDC dc(target);
        dc.SetBackground(wxBrush(fill));
        dc.Clear();
        dc.SetFont(m_strip->GetFont());
        dc.SetTextForeground(colour);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        dc.SetClippingRegion(box);
        dc.DrawText(text, box.x, box.y);
        dc.DestroyClippingRegion();
        dc.SelectObject(wxNullBitmap);
        return target.ConvertToImage();
    }

    bool SameArea(const wxImage& a, const wxImage& b, const wxRect& area)
    {
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x)
                if (Pixel(a, x, y) != Pixel(b, x, y))
                    return false;
        return true;
    }
};

// The toolkit draws dotted lines slightly translucent, so the focus colour
// arrives blended with the fill: accept its reddish-dark shade.
bool IsFocusColour(const wxColour& c)
{
    return std::abs(c.Red() - 100) <= 40 && std::abs(c.Green() - 80) <= 40 &&
           std::abs(c.Blue() - 80) <= 40 && c.Red() - c.Green() >= 8;
}
const wxColour kFrameLabel(0, 0, 200);
} // namespace

TEST_F(StripPaint, FillAndBevelFollowSelectionAndFocus)
{
    wxThumbnailItem item(m_dir.File("frame.png"));
    const wxRect tile = Tile();
    const wxPoint inside(tile.x + 2, tile.y + tile.height / 2);
    const int right = tile.GetRight(), bottom = tile.GetBottom();

    wxImage out = DrawTile(item, 0, 0);
    EXPECT_EQ(m_strip->GetUnselectedColour(), Pixel(out, inside.x, inside.y));
    EXPECT_EQ(*wxWHITE, Pixel(out, tile.x, tile.y + 20));
    EXPECT_EQ(*wxWHITE, Pixel(out, tile.x + 20, tile.y));
    EXPECT_EQ(*wxBLACK, Pixel(out, right, tile.y + 20));
    EXPECT_EQ(*wxBLACK, Pixel(out, tile.x + 20, bottom));
    EXPECT_EQ(wxColour(255, 0, 255), Pixel(out, right + 1, tile.y + 20));

    out = DrawTile(item, wxTHUMBNAIL_SELECTED, 0);
    EXPECT_EQ(wxColour(175, 175, 175), Pixel(out, inside.x, inside.y));
    EXPECT_EQ(*wxBLACK, Pixel(out, tile.x, tile.y + 20));
    EXPECT_EQ(*wxWHITE, Pixel(out, right, tile.y + 20));
    EXPECT_EQ(*wxWHITE, Pixel(out, tile.x + 20, bottom));

    out = DrawTile(item, wxTHUMBNAIL_SELECTED | wxTHUMBNAIL_FOCUSED, 0);
    EXPECT_EQ(wxColour(140, 140, 140), Pixel(out, inside.x, inside.y));
    out = DrawTile(item, wxTHUMBNAIL_FOCUSED, 0);
    EXPECT_EQ(m_strip->GetUnselectedColour(), Pixel(out, inside.x, inside.y));
}

TEST_F(StripPaint, TheFocusEntryHasADottedRectangleOnePixelOutsideTheImageBox)
{
    wxThumbnailItem item(m_dir.File("frame.png"));
    const wxRect box = ImageBox();
    const auto isFocusColour = IsFocusColour;

    const wxImage plain = DrawTile(item, wxTHUMBNAIL_FOCUSED, 0);
    EXPECT_EQ(0, CountPixels(plain, Tile(), isFocusColour));

    const wxImage out = DrawTile(item, wxTHUMBNAIL_FOCUSED | wxTHUMBNAIL_IS_FOCUS, 0);
    const wxRect ring(box.x - 1, box.y - 1, box.width + 2, box.height + 2);
    const int top = CountPixels(out, wxRect(ring.x, ring.y, ring.width, 1), isFocusColour);
    const int left = CountPixels(out, wxRect(ring.x, ring.y, 1, ring.height), isFocusColour);
    const int bottom =
        CountPixels(out, wxRect(ring.x, ring.GetBottom(), ring.width, 1), isFocusColour);
    // Dotted: on every side, but not solid.
    EXPECT_GT(top, ring.width / 4);
    EXPECT_LT(top, ring.width);
    EXPECT_GT(left, ring.height / 4);
    EXPECT_LT(left, ring.height);
    EXPECT_GT(bottom, ring.width / 4);
    // Nothing of it inside the box or further out.
    EXPECT_EQ(0, CountPixels(out, box, isFocusColour));
    EXPECT_EQ(0, CountPixels(out, wxRect(ring.x - 1, ring.y - 1, ring.width + 2, 1), isFocusColour));
}

TEST_F(StripPaint, FrameLabelsShowTheFrameNumberAndStartTime)
{
    const wxColour fill = m_strip->GetUnselectedColour();
    const struct
    {
        int delay, index;
        const char* text;
    } cases[] = {{7, 3, "#4  0.21sec"}, {1, 999, "#1000  9.99sec"}};
    wxThumbnailItem item(m_dir.File("frame.png"));
    for (const auto& c : cases)
    {
        m_strip->SetFrameDelay(c.delay);
        const wxImage out = DrawTile(item, 0, c.index);
        EXPECT_TRUE(SameArea(out, ReferenceLabel(c.text, kFrameLabel, FrameLabelBox(), fill),
                             FrameLabelBox()))
            << c.text;
        // A one-blank variant must look different, or the check proves nothing.
        wxString oneBlank(c.text);
        oneBlank.Replace("  ", " ");
        EXPECT_FALSE(SameArea(out, ReferenceLabel(oneBlank, kFrameLabel, FrameLabelBox(), fill),
                              FrameLabelBox()));
    }
    // Selected tiles write the label in white.
    const auto isWhite = [](const wxColour& c) { return c == *wxWHITE; };
    const auto isBlue = [](const wxColour& c) { return c.Blue() > c.Red() + 60; };
    const wxImage selected = DrawTile(item, wxTHUMBNAIL_SELECTED, 3);
    EXPECT_GT(CountPixels(selected, FrameLabelBox(), isWhite), 0);
    EXPECT_EQ(0, CountPixels(selected, FrameLabelBox(), isBlue));
}

TEST_F(StripPaint, ANameWithoutExtensionHasOnlyTheFileLabel)
{
    const auto isBlue = [](const wxColour& c) { return c.Blue() > c.Red() + 60; };
    const auto isDark = [](const wxColour& c) { return c.Red() < 100 && c.Blue() < 100; };
    wxThumbnailItem bare(m_dir.File("frame01"));
    const wxImage out = DrawTile(bare, 0, 3);
    EXPECT_EQ(0, CountPixels(out, FrameLabelBox(), isBlue));
    EXPECT_GT(CountPixels(out, FileLabelBox(), isDark), 0);

    wxThumbnailItem gifFrame(m_dir.File("clip.gif_3"));
    const wxImage both = DrawTile(gifFrame, 0, 3);
    EXPECT_GT(CountPixels(both, FrameLabelBox(), isBlue), 0);
    EXPECT_GT(CountPixels(both, FileLabelBox(), isDark), 0);
}

TEST_F(StripPaint, APaintDrawsOnlyTheTilesOfTheUpdateRegion)
{
    ShowGrid(3, 2);
    Fill(10);
    m_strip->Select(1);
    const wxSize client = m_strip->GetClientSize();

    auto render = [&](const wxRegion& region, int& drawn) {
        wxBitmap target(client.x, client.y, 24);
        wxMemoryDC dc(target);
        m_strip->PrepareDC(dc);
        drawn = m_strip->DrawContents(dc, region);
        dc.SelectObject(wxNullBitmap);
        return target.ConvertToImage();
    };
    auto tileRect = [&](int n) {
        wxRect r;
        m_strip->GetItemRect(n, r, true);
        return r;
    };
    const bool focused = wxWindow::FindFocus() == m_strip;

    int drawn = 0;
    const wxImage full = render(wxRegion(0, 0, client.x, client.y), drawn);
    int visible = 0;
    for (int i = 0; i < 10; ++i)
        if (tileRect(i).Intersects(wxRect(client)))
            ++visible;
    EXPECT_EQ(visible, drawn);
    const wxPoint in1 = tileRect(1).GetPosition() + wxPoint(4, tileRect(1).height / 2);
    const wxPoint in0 = tileRect(0).GetPosition() + wxPoint(4, tileRect(0).height / 2);
    EXPECT_EQ(focused ? wxColour(140, 140, 140) : wxColour(175, 175, 175),
              Pixel(full, in1.x, in1.y));
    EXPECT_EQ(m_strip->GetUnselectedColour(), Pixel(full, in0.x, in0.y));
    EXPECT_EQ(*wxBLACK, Pixel(full, tileRect(0).GetRight(), in0.y));
    // The gap between tiles shows the background.
    EXPECT_EQ(m_strip->GetBackgroundColour(), Pixel(full, tileRect(0).GetRight() + 2, in0.y));

    // A region inside tile 4 draws tile 4 alone.
    const wxRect four = tileRect(4);
    const wxImage one = render(wxRegion(four.x + 20, four.y + 20, 5, 5), drawn);
    EXPECT_EQ(1, drawn);
    EXPECT_EQ(*wxBLACK, Pixel(one, four.GetRight(), four.y + 20));
    EXPECT_EQ(m_strip->GetBackgroundColour(), Pixel(one, tileRect(0).GetRight(), in0.y));

    // Scrolled to the end, the region still maps to the right tiles.
    m_strip->ScrollIntoView(9, WXK_END);
    const wxRect nine = tileRect(9);
    render(wxRegion(nine.x + 1, nine.y + 1, 2, 2), drawn);
    EXPECT_EQ(1, drawn);
}

TEST_F(StripPaint, WithKeyboardFocusSelectedTilesDarkenAndTheFocusEntryIsMarked)
{
    ShowGrid(3, 2);
    Fill(6);
    m_strip->DoSelection(2, 0);
    m_strip->SetFocus();
    if (!PumpUntil([&] { return wxWindow::FindFocus() == m_strip; }))
        GTEST_SKIP() << "the X server gives no keyboard focus";
    const wxSize client = m_strip->GetClientSize();
    wxBitmap target(client.x, client.y, 24);
    wxMemoryDC dc(target);
    m_strip->PrepareDC(dc);
    m_strip->DrawContents(dc, wxRegion(0, 0, client.x, client.y));
    dc.SelectObject(wxNullBitmap);
    if (wxWindow::FindFocus() != m_strip)
        GTEST_SKIP() << "another window took the keyboard focus";
    const wxImage out = target.ConvertToImage();
    wxRect tile, image;
    m_strip->GetItemRect(2, tile, true);
    m_strip->GetItemRectImage(2, image, true);
    EXPECT_EQ(wxColour(140, 140, 140), Pixel(out, tile.x + 4, tile.y + tile.height / 2));
    const auto isFocusColour = IsFocusColour;
    EXPECT_GT(CountPixels(out, wxRect(image.x - 1, image.y - 1, image.width + 2, 1), isFocusColour),
              0);
    m_strip->GetItemRectImage(1, image, true);
    EXPECT_EQ(0, CountPixels(out, wxRect(image.x - 1, image.y - 1, image.width + 2, 1),
                             isFocusColour));
}

TEST_F(StripPaint, TheBufferOnlyGrows)
{
    ASSERT_TRUE(m_strip->RecreateBuffer(wxSize(500, 400)));
    EXPECT_EQ(wxSize(500, 400), m_strip->GetBufferBitmap().GetSize());
    EXPECT_TRUE(m_strip->RecreateBuffer(wxSize(200, 100)));
    EXPECT_EQ(wxSize(500, 400), m_strip->GetBufferBitmap().GetSize());
    EXPECT_TRUE(m_strip->RecreateBuffer(wxSize(600, 100)));
    EXPECT_EQ(wxSize(600, 100), m_strip->GetBufferBitmap().GetSize());
    EXPECT_FALSE(m_strip->RecreateBuffer(wxSize(0, 50)));
    EXPECT_EQ(wxSize(600, 100), m_strip->GetBufferBitmap().GetSize());
}
