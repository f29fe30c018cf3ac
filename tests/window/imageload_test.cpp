// The loading run without a window: references, progress, files left out, texts and preview placement.

#include "gifcodec.h"
#include "picture/framereference.h"
#include "picture/videoinfo.h"
#include "support/testsupport.h"
#include "window/clippartchoice.h"
#include "window/imageloadrun.h"
#include "window/previewplacement.h"
#include "window/windowtexts.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <string>
#include <vector>

namespace
{
// Writes a test file: stills 40x30, "anim*.gif" four frames, "junk*" no picture, "cut" the first 30 bytes.
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
        const wxImage image(40, 30);
        const wxString ext = path.AfterLast('.');
        EXPECT_TRUE(image.SaveFile(path, ext == "png" ? wxBITMAP_TYPE_PNG : ext == "jpg" ? wxBITMAP_TYPE_JPEG
                                                                                          : wxBITMAP_TYPE_BMP))
            << name;
    }
    return path;
}

// A run's deliveries as "percent:file#frame "; left-out files to `leftOut`; stopped after `stopAfter` asks.
std::string Load(const wxArrayString& paths, std::vector<LeftOutFile>& leftOut, int stopAfter = -1)
{
    std::string text;
    int asked = 0;
    const auto stop = [&] { return stopAfter >= 0 && ++asked > stopAfter; };
    RunImageLoad(paths, wxSize(80, 80), stop, [&](LoadedPicture& picture) {
        const bool image = picture.image.IsOk();
        EXPECT_TRUE(!image || (picture.thumbnail.IsOk() && picture.thumbnail.GetWidth() <= 80));
        text += std::to_string(picture.percent) + ":" + (image ? picture.path.AfterLast('/').ToStdString() : "") + "#" +
                std::to_string(picture.frameIndex) + " ";
        leftOut.insert(leftOut.end(), picture.leftOut.begin(), picture.leftOut.end());
    });
    return text;
}
} // namespace

// Frame references: the index after ".gif_", resolving prefers a real file and reads long indices.
TEST(FrameReference, IndexFileAndResolving)
{
    const struct { const char* path; int index; const char* stripped; } cases[] = {
        {"/p/anim.gif_7", 7, "/p/anim.gif"},
        {"/p/anim.gif_123", 123, "/p/anim.gif"},
        {"/p/anim.gif", -1, "/p/anim.gif"},
        {"/p/ANIM.GIF_3", -1, "/p/ANIM.GIF_3"},
        {".gif_5", -1, ".gif_5"},
        {"/a.gif_x/b.png", 0, "/a.gif_x/b"}, // as the format reads it; resolving finds the real file
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(ParseFrameIndex(c.path), c.index) << c.path;
        EXPECT_EQ(StripFrameSuffix(c.path), c.stripped) << c.path;
    }

    testsupport::TempDir dir;
    Make(dir, "anim.gif");
    ASSERT_TRUE(wxMkdir(dir.File("x.gif_2")));
    Make(dir, "x.gif_2/b.png");
    const struct { wxString path, file; int index; } resolved[] = {
        {dir.File("anim.gif"), dir.File("anim.gif"), -1},
        {dir.File("anim.gif_12"), dir.File("anim.gif"), 12},
        {dir.File("anim.gif_1234"), dir.File("anim.gif"), 1234},
        {dir.File("x.gif_2/b.png"), dir.File("x.gif_2/b.png"), -1},
        {dir.File("gone.gif_2"), "", 0},
        {dir.File("anim.gif_x"), dir.File("anim.gif"), 0},
    };
    for (const auto& c : resolved)
    {
        wxString file;
        int index = 0;
        EXPECT_EQ(ResolvePicturePath(c.path, file, index), !c.file.empty()) << c.path;
        EXPECT_EQ(file, c.file) << c.path;
        EXPECT_EQ(index, c.index) << c.path;
    }
}

// Percent of files done, 100 even on a failure, bad files left out; Stop still sends the closing delivery.
TEST(ImageLoadRun, ProgressOfEveryKindOfRunAndWhyFilesWereLeftOut)
{
    testsupport::TempDir dir;
    const struct { std::vector<std::string> files; std::string expected; size_t leftOut; int stopAfter = -1; } cases[] = {
        // "~" before a name: pass the reference, do not create.
        {{"a.png", "b.jpg", "c.bmp"}, "33:a.png#0 66:b.jpg#0 100:c.bmp#0 ", 0},
        {{"anim.gif", "d.png"}, "18:anim.gif#0 28:anim.gif#1 39:anim.gif#2 49:anim.gif#3 100:d.png#0 ", 0},
        {{"anim.gif"}, "36:anim.gif#0 57:anim.gif#1 78:anim.gif#2 100:anim.gif#3 ", 0},
        {{"~anim.gif_2"}, "100:anim.gif#2 ", 0},
        {{"~anim.gif_9"}, "100:#0 ", 1},               // no such frame: the run still ends
        {{"~gone.gif_1", "a.png"}, "100:a.png#0 ", 1}, // its GIF is gone
        {{"a.png", "cut.png"}, "50:a.png#0 100:#0 ", 1},
        {{"cut.jpg", "cutanim.gif", "junk.bmp", "a.png"}, "100:a.png#0 ", 3},
        {{"~ANIM.GIF"}, "100:ANIM.GIF#0 ", 0}, // upper case: one still frame
        {{"anim.gif", "d.png"}, "18:anim.gif#0 28:anim.gif#1 100:#0 ", 0, 2},
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
        EXPECT_EQ(Load(paths, leftOut, c.stopAfter), c.expected) << c.files[0];
        EXPECT_EQ(leftOut.size(), c.leftOut) << c.files[0];
    }

    // Why each file was left out, and damaged JPEGs added anyway (filled grey), each in its group.
    wxImage noise(64, 48);
    for (int i = 0; i < 64 * 48 * 3; ++i)
        noise.GetData()[i] = static_cast<unsigned char>((i * 2654435761u) >> 24);
    ASSERT_TRUE(noise.SaveFile(dir.File("whole.jpg"), wxBITMAP_TYPE_JPEG));
    const std::string jpeg = testsupport::ReadBytes(dir.File("whole.jpg"));
    testsupport::WriteBytes(dir.File("cut.jpg"), jpeg.substr(0, jpeg.size() * 2 / 3));
    std::string corrupt = jpeg;
    corrupt.replace(corrupt.size() / 2, 4, "\xff\xd3\xff\xd5"); // restart markers where none belong
    testsupport::WriteBytes(dir.File("corrupt.jpg"), corrupt);
    ASSERT_TRUE(wxMkdir(dir.File("folder")));
    ASSERT_TRUE(testsupport::RunIn(dir.Path(), "mkfifo pipe && ln -s folder linked"));
    const struct { wxString path; bool added; const char* reason; } reasons[] = {
        {dir.File("folder"), false, "folder: not a regular file"},
        {dir.File("linked"), false, "linked: not a regular file"},
        {dir.File("pipe"), false, "pipe: not a regular file"},
        {"/dev/null", false, "null: not a regular file"},
        {dir.File("gone.png"), false, "gone.png: no such file"},
        {dir.File("cut.jpg"), true, "cut.jpg: the data ends early"},
        {dir.File("corrupt.jpg"), true, "corrupt.jpg: corrupt data"},
        {dir.File("whole.jpg"), true, ""},
    };
    for (const auto& c : reasons)
    {
        std::vector<LeftOutFile> leftOut;
        const std::string added = "100:" + c.path.AfterLast('/').ToStdString() + "#0 ";
        EXPECT_EQ(Load(wxArrayString(1, &c.path), leftOut), c.added ? added : "100:#0 ") << c.path;
        const wxString message = LeftOutFilesMessage(leftOut);
        EXPECT_EQ(message.empty(), *c.reason == '\0') << c.path;
        EXPECT_TRUE(message.Contains(c.reason)) << message;
        EXPECT_EQ(message.StartsWith("Added, but damaged:"), c.added && *c.reason) << message;
    }
    // Both groups in one report: the files not added first.
    std::vector<LeftOutFile> both;
    Load(wxArrayString(1, &reasons[5].path), both);
    Load(wxArrayString(1, &reasons[0].path), both);
    EXPECT_EQ(LeftOutFilesMessage(both), "These files could not be added completely:\n\nfolder: not a regular file\n\n"
                                         "Added, but damaged:\n\ncut.jpg: the data ends early");
    // A GIF cut short is named so; past the first fifteen files only a count.
    PictureStatus cut;
    cut.cutShort = true;
    std::vector<LeftOutFile> many = {{"/p/c.gif", cut}, {"/p/t.png", PictureStatus::Fail(PictureError::Truncated)}};
    EXPECT_TRUE(LeftOutFilesMessage(many).Contains("c.gif: cut short"));
    many.resize(40, many[1]);
    EXPECT_TRUE(LeftOutFilesMessage(many).EndsWith("... and 25 more"));
}

// A clip part comes frame by frame with its times; a project's clip frames come back the same.
TEST(ImageLoadRun, ClipPartsAndClipFrameReferences)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::MakeClip(dir, "trip.mp4", testsupport::GreyRamp(64, 48, 10, 2), "-c:v libx264"));
    const wxString clip = dir.File("trip.mp4");
    std::vector<LoadSource> sources(4); // the part without a frame limit of its own
    sources[0].path = clip;
    sources[0].clipPart = true;
    sources[0].part = {500000, 1500000, 5};
    sources[1].path = MakeClipFrameReference(clip, 700000);
    sources[2].path = MakeClipFrameReference(clip, 1900000);
    sources[3].path = MakeClipFrameReference(clip, 5000000);
    std::string taken;
    std::vector<LeftOutFile> leftOut;
    RunImageLoad(sources, wxSize(80, 80), [] { return false; }, [&](LoadedPicture& picture) {
        if (picture.image.IsOk())
            taken += std::to_string(picture.percent) + ":" + std::to_string(picture.clipTime / 100000) + "=" +
                     std::to_string(testsupport::GreyRampFrame(picture.image)) + " ";
        leftOut.insert(leftOut.end(), picture.leftOut.begin(), picture.leftOut.end());
    });
    EXPECT_EQ(taken, "5:5=5 10:7=7 15:9=9 20:11=11 25:13=13 50:7=7 75:19=19 ");
    ASSERT_EQ(leftOut.size(), 1u) << LeftOutFilesMessage(leftOut);
    EXPECT_EQ(leftOut[0].path, sources[3].path);
}

// What the clip dialog makes of the typed part: its frames, or why not.
TEST(ClipPartChoice, FramesOrTheReason)
{
    const long long ten = 10 * 1000000; // microseconds
    // `why`: a word of the reason given, "" for none.
    const struct { long long duration; const char *start, *end; double fps; long long frames; const char* why; } cases[] = {
        {ten, "0:00.0", "10", 10, 100, ""},
        {ten, "2", "3.5", 4, 6, ""},
        {ten, " 1:05 ", "", 10, 0, "beyond"},
        {ten, "0", "400", 10, 100, ""}, // the end is the clip's
        {ten, "abc", "3", 10, 0, "start is not"},
        {ten, "5", "4", 10, 0, "after the start"},
        {ten, "0", "0:0x", 10, 0, "end is not"},
        {ten, "1", "2", 0, 0, "per second"},
        {-1, "0", "", 10, -1, ""}, // to an end the clip does not tell
        {0, "0", "", 10, 0, "beyond"}, // a clip of no length
    };
    for (const auto& c : cases)
    {
        VideoInfo info;
        info.duration = c.duration;
        info.frameRate = 30;
        const ClipPartChoice choice = CheckClipPart(info, c.start, c.end, c.fps);
        EXPECT_EQ(choice.problem.empty(), !*c.why) << c.start << "-" << c.end << " " << choice.problem;
        EXPECT_TRUE(choice.problem.Contains(c.why)) << c.start << "-" << c.end << " " << choice.problem;
        EXPECT_EQ(choice.frames, c.frames) << c.start << "-" << c.end;
    }
}

// The preview is never enlarged, fits and is centred (it once sat 30 pixels low); a sliver keeps a pixel.
TEST(PreviewPlacement, NeverEnlargedShrunkToFitCentred)
{
    const struct { wxSize panel, picture; wxRect expected; } cases[] = {
        {{400, 400}, {100, 100}, {150, 150, 100, 100}}, {{400, 300}, {400, 600}, {100, 0, 200, 300}},
        {{400, 400}, {4000, 1}, {0, 199, 400, 1}},       {{400, 400}, {0, 10}, {}}};
    for (const auto& c : cases)
        EXPECT_EQ(PlacePreview(c.panel, c.picture), c.expected) << c.picture.x << "x" << c.picture.y;
}
