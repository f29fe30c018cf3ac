// The frame store: pictures come back exactly; budgets hold.

#include "frames/framestore.h"
#include "picture/picturebytes.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/image.h>
#include <wx/mstream.h>

#include <string>
#include <vector>

namespace
{
wxImage Noise(int width, int height, bool alpha, bool mask)
{
    wxImage picture(width, height);
    unsigned state = 12345;
    for (int i = 0; i < width * height * 3; ++i)
        picture.GetData()[i] = static_cast<unsigned char>((state = state * 1103515245 + 12345) >> 16);
    if (alpha)
    {
        picture.SetAlpha();
        for (int i = 0; i < width * height; ++i)
            picture.GetAlpha()[i] = static_cast<unsigned char>(i * 3);
    }
    if (mask)
        picture.SetMaskColour(1, 2, 3);
    return picture;
}

// The file bytes of `picture` in `type`, and the picture the reader makes of them.
std::string Encode(wxImage& picture, wxBitmapType type)
{
    wxMemoryOutputStream out;
    EXPECT_TRUE(picture.SaveFile(out, type));
    std::string bytes(out.GetSize(), '\0');
    out.CopyTo(&bytes[0], bytes.size());
    EXPECT_TRUE(ReadPictureBytes(bytes, picture).IsOk());
    return bytes;
}

// Everything the store must give back: size, pixels, alpha and mask colour.
std::string Contents(const wxImage& picture)
{
    if (!picture.IsOk())
        return "invalid";
    const std::size_t pixels = static_cast<std::size_t>(picture.GetWidth()) * picture.GetHeight();
    std::string all = wxString::Format("%dx%d ", picture.GetWidth(), picture.GetHeight()).ToStdString();
    all.append(reinterpret_cast<const char*>(picture.GetData()), pixels * 3);
    if (picture.HasAlpha())
        all.append(reinterpret_cast<const char*>(picture.GetAlpha()), pixels);
    if (picture.HasMask())
        all += wxString::Format(" mask %d %d %d", picture.GetMaskRed(), picture.GetMaskGreen(), picture.GetMaskBlue());
    return all;
}
} // namespace

TEST(FrameStore, EveryFormComesBackPixelIdenticalInMemoryAndSpilled)
{
    testsupport::TempDir dir;
    // The source file's type, or wxBITMAP_TYPE_INVALID for pixels only.
    struct Case { const char* what; wxImage picture; wxBitmapType source; };
    std::vector<Case> cases = {
        {"rgb", Noise(61, 37, false, false), wxBITMAP_TYPE_INVALID},
        {"alpha and mask", Noise(33, 20, true, true), wxBITMAP_TYPE_INVALID},
        {"flat 2000x1500", wxImage(2000, 1500), wxBITMAP_TYPE_INVALID},
        {"jpeg", Noise(64, 48, false, false), wxBITMAP_TYPE_JPEG},
        {"png", Noise(40, 30, true, false), wxBITMAP_TYPE_PNG},
    };
    for (const bool spill : {false, true})
    {
        FrameStore store(dir.Path(), FrameStoreLimits{spill ? 0 : std::size_t(1) << 30, 1 << 30, 0});
        for (Case& c : cases)
        {
            const std::string what = std::string(c.what) + (spill ? " spilled" : "");
            std::string source = c.source == wxBITMAP_TYPE_INVALID ? std::string() : Encode(c.picture, c.source);
            FrameStoreRefusal refusal;
            const FrameHandle frame = store.Add(c.picture, std::move(source), refusal);
            ASSERT_TRUE(frame) << what;
            EXPECT_TRUE(Contents(c.picture) == Contents(store.Load(frame))) << what;
            const FramePicturePtr shared = store.Get(frame);
            ASSERT_TRUE(shared) << what;
            EXPECT_TRUE(Contents(c.picture) == Contents(shared->View())) << what;
            const FrameStoreUsage usage = store.GetUsage();
            EXPECT_EQ(spill, usage.diskBytes > 0 && usage.memoryBytes == 0) << what;
        }
        EXPECT_LT(store.GetUsage().memoryBytes + store.GetUsage().diskBytes, 100000u);
        // The spill file has no name: nothing stays behind, even after a crash.
        EXPECT_FALSE(wxDir(dir.Path()).HasFiles());
    }
}

TEST(FrameStore, CacheAndDiskKeepToTheirBudgetsAndStorageGoesWithTheLastHandle)
{
    testsupport::TempDir dir;
    const std::size_t frameBytes = 100 * 100 * 3;
    FrameStore store(dir.Path(), FrameStoreLimits{0, 1 << 20, frameBytes * 5 / 2});
    std::vector<FrameHandle> frames;
    FrameStoreRefusal refusal;
    for (int i = 0; i < 8; ++i)
        frames.push_back(store.Add(Noise(100 + i % 2, 100, false, false), std::string(), refusal));
    for (const int i : {0, 1, 2, 3, 0, 4, 5, 6, 7, 7, 1})
    {
        ASSERT_TRUE(store.Get(frames[i]));
        EXPECT_LE(store.GetUsage().cacheBytes, frameBytes * 5 / 2);
    }
    // Past the disk budget the store refuses, and says why.
    std::vector<FrameHandle> more;
    while (refusal.kind == FrameStoreRefusal::None && more.size() < 100)
        more.push_back(store.Add(Noise(100, 100, false, false), std::string(), refusal));
    EXPECT_EQ(refusal.kind, FrameStoreRefusal::DiskBudget);
    EXPECT_LE(store.GetUsage().diskBytes, 1u << 20);
    const FrameHandle kept = frames[0];
    frames.clear();
    more.clear();
    EXPECT_EQ(store.GetUsage().cacheBytes, store.Get(kept)->GetByteCount());
    EXPECT_LT(store.GetUsage().diskBytes, 2 * frameBytes);
    FrameStoreLimits few = store.GetLimits();
    few.frames = 2;
    store.SetLimits(few);
    const FrameHandle second = store.Add(Noise(4, 4, false, false), std::string(), refusal);
    EXPECT_TRUE(second);
    EXPECT_FALSE(store.Add(Noise(4, 4, false, false), std::string(), refusal));
    EXPECT_EQ(refusal.kind, FrameStoreRefusal::FrameCount);
    FrameStore unwritable("/proc/no-such-folder", FrameStoreLimits{0, 1 << 20, 0});
    EXPECT_FALSE(unwritable.Add(Noise(4, 4, false, false), std::string(), refusal));
    EXPECT_EQ(refusal.kind, FrameStoreRefusal::WriteFailed);
    EXPECT_FALSE(refusal.detail.empty());
}
