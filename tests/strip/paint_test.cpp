// Frame entries (loading, thumbnail sizes, the GIF frame suffix) and what the
// strip puts on the screen, checked pixel by pixel.
#include "stripfixture.h"
#include "window/thumbnailitem.h"

#include <wx/dcmemory.h>
#include <wx/region.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace
{
wxColour Pixel(const wxImage& image, const wxPoint& p)
{
    return wxColour(image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y));
}

int CountPixels(const wxImage& image, const wxRect& area,
                const std::function<bool(wxColour)>& match)
{
    int count = 0;
    for (int y = area.y; y <= area.GetBottom(); ++y)
        for (int x = area.x; x <= area.GetRight(); ++x)
            count += match(Pixel(image, wxPoint(x, y)));
    return count;
}

// Dotted lines come out slightly translucent: accept the focus colour blended with the fill.
bool IsFocusColour(wxColour c)
{
    return std::abs(c.Red() - 100) <= 40 && std::abs(c.Green() - 80) <= 40 &&
           std::abs(c.Blue() - 80) <= 40 && c.Red() - c.Green() >= 8;
}
bool IsBlue(wxColour c) { return c.Blue() > c.Red() + 60; }
bool IsDark(wxColour c) { return c.Red() < 100 && c.Blue() < 100; }

class StripPaint : public StripFixture
{
protected:
    // A tile at (10, 10) drawn by the entry itself.
    wxImage Draw(wxThumbnailItem& item, int style, int index)
    {
        wxBitmap target(120, 200, 24);
        wxMemoryDC dc(target);
        dc.SetBackground(wxBrush(wxColour(255, 0, 255)));
        dc.Clear();
        EXPECT_TRUE(item.DrawBackground(dc, m_strip, Tile(), ImageBox(), style, index));
        dc.SelectObject(wxNullBitmap);
        return target.ConvertToImage();
    }
    // Whether an unselected tile shows `text` as the frame label must look:
    // in the label colour and the control's font, clipped to its box.
    bool ShowsFrameLabel(const wxImage& out, const wxString& text)
    {
        wxBitmap expected(out);
        wxMemoryDC dc(expected);
        dc.SetBrush(m_strip->GetUnselectedColour());
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(FrameLabelBox());
        dc.SetFont(m_strip->GetFont());
        dc.SetTextForeground(wxColour(0, 0, 200));
        dc.SetClippingRegion(FrameLabelBox());
        dc.DrawText(text, FrameLabelBox().GetPosition());
        dc.SelectObject(wxNullBitmap);
        return std::memcmp(out.GetData(), expected.ConvertToImage().GetData(), 120 * 200 * 3) == 0;
    }
    wxRect Tile() const { return wxRect(wxPoint(10, 10), m_strip->GetThumbnailOverallSize()); }
    wxRect ImageBox() const { return wxRect(13, 16 + m_strip->GetThumbnailTextHeight(), 80, 80); }
    wxRect FileLabelBox() const { return wxRect(13, 13, 80, m_strip->GetThumbnailTextHeight()); }
    wxRect FrameLabelBox() const
    {
        const int t = m_strip->GetThumbnailTextHeight();
        return wxRect(13, Tile().GetBottom() - 2 - t, 80, t);
    }
};
} // namespace

TEST_F(StripPaint, ThumbnailsFitTheBoxAndTheFullBitmapKeepsTheSize)
{
    // Picture and thumbnail size; a 1000x3 picture is too thin for a thumbnail.
    const wxSize cases[][2] = {{{160, 120}, {80, 60}}, {{100, 300}, {26, 80}},
                               {{81, 80}, {80, 79}},   {{97, 113}, {68, 80}},
                               {{50, 40}, {50, 40}},   {{1000, 3}, {}}};
    for (const auto& [picture, thumbnail] : cases)
    {
        std::unique_ptr<wxImageThumbnailItem> entry(Entry("pic.png", picture.x, picture.y));
        ASSERT_TRUE(entry->Load(m_strip, false));
        const wxBitmap& bitmap = entry->GetBitmap();
        EXPECT_EQ(thumbnail, bitmap.IsOk() ? bitmap.GetSize() : wxSize()) << picture.x;
        EXPECT_EQ(picture, entry->GetFullBitmap().GetSize());
        // The picture is released once the thumbnail exists.
        EXPECT_EQ(bitmap.IsOk(), entry->GetImage() == nullptr);
    }
}

TEST_F(StripPaint, GifFramesGainTheirIndexOtherNamesStay)
{
    std::unique_ptr<wxImageThumbnailItem> gif(Entry("a.gif", 20, 20, 2));
    ASSERT_TRUE(gif->Load(m_strip, false));
    EXPECT_EQ(m_dir.File("a.gif_2"), gif->GetFilename());
    wxRemoveFile(m_dir.File("a.gif"));
    EXPECT_TRUE(gif->Load(m_strip, false)); // loaded once: not renamed again
    EXPECT_EQ(m_dir.File("a.gif_2"), gif->GetFilename());
    for (const char* name : {"A.GIF", "a.png"})
    {
        std::unique_ptr<wxImageThumbnailItem> other(Entry(name, 20, 20, 2));
        ASSERT_TRUE(other->Load(m_strip, false));
        EXPECT_EQ(m_dir.File(name), other->GetFilename());
    }
    // A missing file fails to load and keeps its name; Append leaves it with the caller.
    wxImageThumbnailItem missing(new wxImage(20, 20), 4, m_dir.File("gone.gif"));
    EXPECT_FALSE(missing.Load(m_strip, false));
    EXPECT_EQ(m_dir.File("gone.gif"), missing.GetFilename());
    EXPECT_EQ(-1, m_strip->Append(&missing, 25));
    EXPECT_EQ(0, m_strip->GetCount());
}

TEST_F(StripPaint, FillAndBevelFollowSelectionAndFocus)
{
    wxThumbnailItem item(m_dir.File("frame.png"));
    const wxRect t = Tile();
    const wxPoint inside(t.x + 2, t.y + t.height / 2), left(t.x, t.y + 20), top(t.x + 20, t.y),
        right(t.GetRight(), t.y + 20), bottom(t.x + 20, t.GetBottom());
    const wxColour unselected = m_strip->GetUnselectedColour();
    const std::pair<int, wxColour> cases[] = {
        {0, unselected},
        {wxTHUMBNAIL_FOCUSED, unselected},
        {wxTHUMBNAIL_SELECTED, wxColour(175, 175, 175)},
        {wxTHUMBNAIL_SELECTED | wxTHUMBNAIL_FOCUSED, wxColour(140, 140, 140)}};
    for (const auto& [style, fill] : cases)
    {
        const wxImage out = Draw(item, style, 0);
        EXPECT_EQ(fill, Pixel(out, inside)) << style;
        // Raised bevel, sunken when selected.
        const wxColour light = style & wxTHUMBNAIL_SELECTED ? *wxBLACK : *wxWHITE;
        const wxColour dark = style & wxTHUMBNAIL_SELECTED ? *wxWHITE : *wxBLACK;
        EXPECT_TRUE(Pixel(out, left) == light && Pixel(out, top) == light) << style;
        EXPECT_TRUE(Pixel(out, right) == dark && Pixel(out, bottom) == dark) << style;
        EXPECT_EQ(wxColour(255, 0, 255), Pixel(out, right + wxPoint(1, 0)));
    }
}

TEST_F(StripPaint, TheFocusEntryHasADottedRectangleOnePixelOutsideTheImageBox)
{
    wxThumbnailItem item(m_dir.File("frame.png"));
    EXPECT_EQ(0, CountPixels(Draw(item, wxTHUMBNAIL_FOCUSED, 0), Tile(), IsFocusColour));
    const wxImage out = Draw(item, wxTHUMBNAIL_FOCUSED | wxTHUMBNAIL_IS_FOCUS, 0);
    const wxRect box = ImageBox(), ring = box.Inflate(1, 1);
    const wxRect sides[] = {{ring.x, ring.y, ring.width, 1}, {ring.x, ring.y, 1, ring.height},
                            {ring.x, ring.GetBottom(), ring.width, 1},
                            {ring.GetRight(), ring.y, 1, ring.height}};
    for (const wxRect& side : sides)
    {
        const int n = CountPixels(out, side, IsFocusColour), length = side.width + side.height - 1;
        EXPECT_TRUE(n > length / 4 && n < length) << "dotted, not solid: " << n << " of " << length;
    }
    EXPECT_EQ(0, CountPixels(out, box, IsFocusColour));
    EXPECT_EQ(CountPixels(out, ring, IsFocusColour),
              CountPixels(out, ring.Inflate(1, 1), IsFocusColour));
}

TEST_F(StripPaint, FrameLabelsAndFileLabels)
{
    wxThumbnailItem item(m_dir.File("frame.png"));
    const std::tuple<int, int, wxString, wxString> cases[] = {
        {7, 3, "#4  0.21sec", "#4 0.21sec"}, {1, 999, "#1000  9.99sec", "#1000 9.99sec"}};
    for (const auto& [delay, index, text, oneBlank] : cases)
    {
        m_strip->SetFrameDelay(delay);
        const wxImage out = Draw(item, 0, index);
        EXPECT_TRUE(ShowsFrameLabel(out, text)) << text;
        EXPECT_FALSE(ShowsFrameLabel(out, oneBlank)) << "the check must tell the blanks apart";
    }
    const wxImage selected = Draw(item, wxTHUMBNAIL_SELECTED, 3); // labels in white
    EXPECT_GT(CountPixels(selected, FrameLabelBox(), [](wxColour c) { return c == *wxWHITE; }), 0);

    // Without an extension there is no frame label, only the file label.
    wxThumbnailItem bare(m_dir.File("frame01")), gifFrame(m_dir.File("clip.gif_3"));
    const wxImage out = Draw(bare, 0, 3), both = Draw(gifFrame, 0, 3);
    EXPECT_EQ(0, CountPixels(out, FrameLabelBox(), IsBlue));
    EXPECT_GT(CountPixels(out, FileLabelBox(), IsDark), 0);
    EXPECT_GT(CountPixels(both, FrameLabelBox(), IsBlue), 0);
    EXPECT_GT(CountPixels(both, FileLabelBox(), IsDark), 0);
}

TEST_F(StripPaint, APaintDrawsOnlyTheTilesOfTheUpdateRegion)
{
    ShowGrid();
    Fill(10);
    m_strip->Select(1);
    const wxSize client = m_strip->GetClientSize();
    int drawn = 0;
    auto render = [&](const wxRect& region) {
        wxBitmap target(client.x, client.y, 24);
        wxMemoryDC dc(target);
        m_strip->PrepareDC(dc);
        drawn = m_strip->DrawContents(dc, wxRegion(region));
        dc.SelectObject(wxNullBitmap);
        return target.ConvertToImage();
    };
    wxRect t0, t4;
    m_strip->GetItemRect(0, t0, true);
    m_strip->GetItemRect(4, t4, true);
    const wxPoint in0 = t0.GetPosition() + wxPoint(4, 40), in1 = in0 + wxPoint(t0.width + 3, 0);

    const wxImage full = render(wxRect(client));
    EXPECT_EQ(9, drawn); // three rows reach into the view
    const bool focused = wxWindow::FindFocus() == m_strip;
    EXPECT_EQ(focused ? wxColour(140, 140, 140) : wxColour(175, 175, 175), Pixel(full, in1));
    EXPECT_EQ(m_strip->GetUnselectedColour(), Pixel(full, in0));
    EXPECT_EQ(m_strip->GetBackgroundColour(), Pixel(full, wxPoint(t0.GetRight() + 2, in0.y)));

    const wxImage one = render(wxRect(t4.GetPosition() + wxPoint(20, 20), wxSize(5, 5)));
    EXPECT_EQ(1, drawn);
    EXPECT_EQ(*wxBLACK, Pixel(one, wxPoint(t4.GetRight(), t4.y + 20)));
    EXPECT_EQ(m_strip->GetBackgroundColour(), Pixel(one, in0));

    m_strip->ScrollIntoView(9, WXK_END); // the region maps to the scrolled tiles
    m_strip->GetItemRect(9, t0, true);
    render(wxRect(t0.GetPosition() + wxPoint(1, 1), wxSize(2, 2)));
    EXPECT_EQ(1, drawn);
}

TEST_F(StripPaint, TheBufferOnlyGrows)
{
    ASSERT_TRUE(m_strip->RecreateBuffer(wxSize(500, 400)));
    EXPECT_TRUE(m_strip->RecreateBuffer(wxSize(200, 100)));
    EXPECT_EQ(wxSize(500, 400), m_strip->GetBufferBitmap().GetSize());
    EXPECT_TRUE(m_strip->RecreateBuffer(wxSize(600, 100)));
    EXPECT_FALSE(m_strip->RecreateBuffer(wxSize(0, 50)));
    EXPECT_EQ(wxSize(600, 100), m_strip->GetBufferBitmap().GetSize());
}
