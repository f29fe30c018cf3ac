// Frame entries: loading, the GIF frame suffix, thumbnail sizes and drawing.
#include "stripharness.h"
#include "support/testsupport.h"
#include "window/imagethumbnailitem.h"
#include "window/thumbnailctrl.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/filefn.h>
#include <wx/image.h>

#include <memory>

namespace
{
class StripItems : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new StripHarnessFrame();
        m_strip = m_frame->Strip();
    }
    void TearDown() override { m_frame->Destroy(); }

    std::unique_ptr<wxImageThumbnailItem> Entry(const wxString& name, int w, int h, int sub = 0)
    {
        return std::unique_ptr<wxImageThumbnailItem>(MakeEntry(m_dir.Path(), name, w, h, *wxRED, sub));
    }

    testsupport::TempDir m_dir;
    StripHarnessFrame* m_frame = nullptr;
    wxThumbnailCtrl* m_strip = nullptr;
};
} // namespace

TEST_F(StripItems, ThumbnailsFitTheImageBoxAndTheFullBitmapKeepsTheSize)
{
    const struct
    {
        int w, h, tw, th;
    } cases[] = {{160, 120, 80, 60}, {100, 300, 26, 80}, {81, 80, 80, 79},
                 {97, 113, 68, 80},  {50, 40, 50, 40}};
    for (const auto& c : cases)
    {
        auto entry = Entry("pic.png", c.w, c.h);
        ASSERT_TRUE(entry->Load(m_strip, false));
        EXPECT_EQ(wxSize(c.tw, c.th), entry->GetBitmap().GetSize()) << c.w << "x" << c.h;
        EXPECT_EQ(wxSize(c.w, c.h), entry->GetFullBitmap().GetSize());
        EXPECT_EQ(nullptr, entry->GetImage()) << "picture kept after the thumbnail exists";
    }
}

TEST_F(StripItems, AThinPictureGetsNoThumbnailButStillAFullBitmap)
{
    auto entry = Entry("line.png", 1000, 3);
    EXPECT_TRUE(entry->Load(m_strip, false));
    EXPECT_FALSE(entry->GetBitmap().IsOk());
    ASSERT_TRUE(entry->GetFullBitmap().IsOk());
    EXPECT_EQ(wxSize(1000, 3), entry->GetFullBitmap().GetSize());
    EXPECT_NE(nullptr, entry->GetImage());
    EXPECT_FALSE(ScaleImageToBox(wxImage(1000, 3), 80, 80).IsOk());
}

TEST_F(StripItems, GifFramesGainTheirIndexOtherNamesStay)
{
    auto gif = Entry("a.gif", 20, 20, 2);
    ASSERT_TRUE(gif->Load(m_strip, false));
    EXPECT_EQ(m_dir.File("a.gif_2"), gif->GetFilename());
    // Loaded once: a second load neither renames nor needs the file.
    wxRemoveFile(m_dir.File("a.gif"));
    EXPECT_TRUE(gif->Load(m_strip, false));
    EXPECT_EQ(m_dir.File("a.gif_2"), gif->GetFilename());

    auto upper = Entry("A.GIF", 20, 20, 2);
    ASSERT_TRUE(upper->Load(m_strip, false));
    EXPECT_EQ(m_dir.File("A.GIF"), upper->GetFilename());

    auto png = Entry("a.png", 20, 20);
    ASSERT_TRUE(png->Load(m_strip, false));
    EXPECT_EQ(m_dir.File("a.png"), png->GetFilename());
}

TEST_F(StripItems, AMissingFileFailsToLoadAndKeepsItsName)
{
    auto* image = new wxImage(20, 20);
    wxImageThumbnailItem entry(image, 4, m_dir.File("gone.gif"));
    EXPECT_FALSE(entry.Load(m_strip, false));
    EXPECT_EQ(m_dir.File("gone.gif"), entry.GetFilename());
    EXPECT_FALSE(entry.GetBitmap().IsOk());
    EXPECT_FALSE(entry.GetFullBitmap().IsOk());

    // Append leaves it with the caller; the delay is taken all the same.
    const int before = m_strip->GetCount();
    EXPECT_EQ(-1, m_strip->Append(&entry, 25));
    EXPECT_EQ(before, m_strip->GetCount());
    EXPECT_EQ(25, m_strip->GetFrameDelay());
}
