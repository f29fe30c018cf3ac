// The loading run without a window: frame references, the progress each file
// reports, the files left out, and the texts and placement the window shows.

#include "gifcodec.h"
#include "picture/framereference.h"
#include "support/testsupport.h"
#include "window/imageloadrun.h"
#include "window/previewplacement.h"
#include "window/windowtexts.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <string>
#include <vector>

namespace
{
// Writes the named test file into `dir`: "*.png"/"*.jpg"/"*.bmp" are 40x30
// stills, "anim*.gif" four-frame animations, "junk*" bytes that are no
// picture, and "cut" before a name the first 30 bytes of that file.
wxString Make(const testsupport::TempDir& dir, const std::string& name)
{
    const wxString path = dir.File(name);
    if (name.rfind("cut", 0) == 0)
    {
        const std::string bytes = testsupport::ReadBytes(Make(dir, name.substr(3)));
        testsupport::WriteBytes(path, bytes.substr(0, 30));
    }
    else if (name.rfind("anim", 0) == 0)
    {
        std::vector<giftest::Layer> layers;
        for (int f = 0; f < 4; ++f)
            layers.push_back({0, 0, 8, 6, 1, -1, std::vector<unsigned char>(48, static_cast<unsigned char>(f))});
        testsupport::WriteBytes(path, giftest::MakeGif(8, 6, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}}, layers));
    }
    else if (name.rfind("junk", 0) == 0)
        testsupport::WriteBytes(path, std::string(500, 'x'));
    else
    {
        wxImage image(40, 30);
        for (int i = 0; i < 40 * 30 * 3; ++i)
            image.GetData()[i] = static_cast<unsigned char>(i * 7);
        const wxString ext = path.AfterLast('.');
        EXPECT_TRUE(image.SaveFile(path, ext == "png" ? wxBITMAP_TYPE_PNG : ext == "jpg" ? wxBITMAP_TYPE_JPEG
                                                                                          : wxBITMAP_TYPE_BMP))
            << name;
    }
    return path;
}

struct Delivery
{
    int percent;
    int frame;
    wxString file; // name only, empty for a closing delivery
};

std::vector<Delivery> Load(const wxArrayString& paths, std::vector<LeftOutFile>* leftOut = nullptr)
{
    std::vector<Delivery> seen;
    RunImageLoad(paths, wxSize(80, 80), [] { return false; }, [&](LoadedPicture& picture) {
        seen.push_back({picture.percent, picture.frameIndex,
                        picture.image.IsOk() ? picture.path.AfterLast('/') : wxString()});
        if (picture.image.IsOk())
        {
            EXPECT_TRUE(picture.thumbnail.IsOk() && picture.thumbnail.GetWidth() <= 80);
        }
        if (leftOut)
            leftOut->insert(leftOut->end(), picture.leftOut.begin(), picture.leftOut.end());
    });
    return seen;
}

std::string Describe(const std::vector<Delivery>& deliveries)
{
    std::string text;
    for (const Delivery& d : deliveries)
        text += std::to_string(d.percent) + ":" + std::string(d.file.utf8_str()) + "#" + std::to_string(d.frame) + " ";
    return text;
}
} // namespace

TEST(FrameReference, IndexAndFileOfEveryForm)
{
    const struct
    {
        const char* path;
        int index;
        const char* stripped;
    } cases[] = {
        {"/p/anim.gif_7", 7, "/p/anim.gif"},
        {"/p/anim.gif_12", 12, "/p/anim.gif"},
        {"/p/anim.gif_123", 123, "/p/anim.gif"},
        {"/p/anim.gif", -1, "/p/anim.gif"},
        {"/p/ANIM.GIF_3", -1, "/p/ANIM.GIF_3"}, // the marker is case-sensitive
        {".gif_5", -1, ".gif_5"},               // nothing before the marker
        {"/a.gif_x/b.png", 0, "/a.gif_x/b"},    // as the format reads it; see the resolving below
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(ParseFrameIndex(c.path), c.index) << c.path;
        EXPECT_EQ(StripFrameSuffix(c.path), c.stripped) << c.path;
    }
    EXPECT_EQ(MakeFrameReference("/p/anim.gif", 12), "/p/anim.gif_12");
}

TEST(FrameReference, ResolvingPrefersRealFilesAndReadsLongIndices)
{
    testsupport::TempDir dir;
    Make(dir, "anim.gif");
    ASSERT_TRUE(wxMkdir(dir.File("x.gif_2")));
    Make(dir, "x.gif_2/b.png");
    const struct
    {
        wxString path;
        bool found;
        wxString file;
        int index;
    } cases[] = {
        {dir.File("anim.gif"), true, dir.File("anim.gif"), -1},
        {dir.File("anim.gif_2"), true, dir.File("anim.gif"), 2},
        {dir.File("anim.gif_1234"), true, dir.File("anim.gif"), 1234},
        {dir.File("x.gif_2/b.png"), true, dir.File("x.gif_2/b.png"), -1}, // a folder never hides a picture
        {dir.File("gone.gif_2"), false, "", 0},
        {dir.File("anim.gif_x"), true, dir.File("anim.gif"), 0}, // read as the format reads it
    };
    for (const auto& c : cases)
    {
        wxString file;
        int index = 0;
        EXPECT_EQ(ResolvePicturePath(c.path, file, index), c.found) << c.path;
        if (c.found)
        {
            EXPECT_EQ(file, c.file) << c.path;
            EXPECT_EQ(index, c.index) << c.path;
        }
    }
}

TEST(ImageLoadRun, ProgressOfEveryKindOfRun)
{
    testsupport::TempDir dir;
    const struct
    {
        std::vector<std::string> files; // "~" before a name: pass the reference, do not create
        std::string expected;
        size_t leftOut;
    } cases[] = {
        {{"a.png", "b.jpg", "c.bmp"}, "33:a.png#0 66:b.jpg#0 100:c.bmp#0 ", 0},
        {{"anim.gif", "d.png"}, "0:anim.gif#0 0:anim.gif#1 0:anim.gif#2 0:anim.gif#3 100:d.png#0 ", 0},
        {{"anim.gif"}, "0:anim.gif#0 0:anim.gif#1 0:anim.gif#2 100:anim.gif#3 ", 0},
        {{"~anim.gif_2"}, "100:anim.gif#2 ", 0},
        {{"~anim.gif_9"}, "100:#0 ", 1},            // no such frame: the run still ends
        {{"~gone.gif_1", "a.png"}, "100:a.png#0 ", 1}, // its GIF is gone
        {{"a.png", "cut.png"}, "50:a.png#0 100:#0 ", 1}, // ends on an undecodable file
        {{"cut.jpg", "cutanim.gif", "junk.bmp", "a.png"}, "100:a.png#0 ", 3},
        {{"~ANIM.GIF"}, "100:ANIM.GIF#0 ", 0},       // upper case: one still frame
    };
    Make(dir, "anim.gif");
    wxCopyFile(dir.File("anim.gif"), dir.File("ANIM.GIF"));
    for (const auto& c : cases)
    {
        wxArrayString paths;
        for (const std::string& name : c.files)
            paths.Add(name[0] == '~' ? dir.File(name.substr(1)) : wxFileExists(dir.File(name)) ? dir.File(name)
                                                                                               : Make(dir, name));
        std::vector<LeftOutFile> leftOut;
        EXPECT_EQ(Describe(Load(paths, &leftOut)), c.expected) << c.files[0];
        EXPECT_EQ(leftOut.size(), c.leftOut) << c.files[0];
    }
}

TEST(ImageLoadRun, StopEndsTheRunWithItsClosingDelivery)
{
    testsupport::TempDir dir;
    wxArrayString paths;
    paths.Add(Make(dir, "anim.gif"));
    paths.Add(Make(dir, "a.png"));
    int asked = 0;
    std::vector<int> percents;
    RunImageLoad(paths, wxSize(80, 80), [&] { return ++asked > 2; },
                 [&](LoadedPicture& picture) { percents.push_back(picture.percent); });
    EXPECT_EQ(percents, (std::vector<int>{0, 0, 100})); // two frames, then the end
}

TEST(WindowTexts, NamedSizesAndTheLeftOutReport)
{
    // The untitled texts and the plain reasons are checked in the window.
    EXPECT_EQ(SizeResetStatusText("anim.gif", 400, 300), "anim.gif (400 * 300)px");
    EXPECT_EQ(LeftOutFilesMessage({}), "");
    PictureStatus cut;
    cut.cutShort = true;
    std::vector<LeftOutFile> many = {{"/p/c.gif", cut}, {"/p/t.png", PictureStatus::Fail(PictureError::Truncated)}};
    EXPECT_TRUE(LeftOutFilesMessage(many).Contains("c.gif: cut short"));
    many.resize(40, many[1]);
    EXPECT_TRUE(LeftOutFilesMessage(many).EndsWith("... and 25 more"));
}

TEST(PreviewPlacement, NeverEnlargedShrunkToFitCentredThirtyLower)
{
    const struct
    {
        wxSize panel, picture;
        wxRect expected;
    } cases[] = {
        // 800x600 and 100x100 on 400x400 are checked in the window.
        {{400, 300}, {400, 600}, {100, 30, 200, 300}},
        {{400, 400}, {4000, 1}, {0, 229, 400, 1}}, // a sliver keeps a pixel
        {{400, 400}, {0, 10}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlacePreview(c.panel, c.picture), c.expected) << c.picture.x << "x" << c.picture.y;
}
