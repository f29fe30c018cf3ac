// gloamer-cli run as a subprocess with no display; its output checked with giflib and the toolkit.
#include "gifcodec.h"
#include "support/testsupport.h"
#include "testimages.h"

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/image.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace
{
struct CliRun
{
    int status = -1;
    std::string out, err;
};

// Runs the built program in `dir` with the display variables removed.
CliRun RunCli(const TempDir& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), std::string(GLOAMER_STAGE_DIR) + "/bin/gloamer-cli");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string folder = dir.Path().ToStdString(), outFile = folder + ".out", errFile = outFile + ".err";
    const pid_t pid = fork();
    if (pid == 0)
    {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        if (freopen(outFile.c_str(), "w", stdout) && freopen(errFile.c_str(), "w", stderr) && chdir(folder.c_str()) == 0)
            execv(argv[0], argv.data());
        _exit(127);
    }
    int raw = 0;
    waitpid(pid, &raw, 0);
    CliRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(outFile), ReadBytes(errFile)};
    std::remove(outFile.c_str());
    std::remove(errFile.c_str());
    return run;
}

// Every file below `dir`, sorted.
wxArrayString FilesIn(const TempDir& dir)
{
    wxArrayString files;
    wxDir::GetAllFiles(dir.Path(), &files, "", wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN);
    files.Sort();
    return files;
}

// A PNG, a JPEG, a BMP and a GIF of three 50x40 frames.
void MakeInputs(const TempDir& dir)
{
    ASSERT_TRUE(testimages::PhotoLike(40, 30, 1).SaveFile(dir.File("a.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(testimages::PhotoLike(64, 48, 2).SaveFile(dir.File("b.jpg"), wxBITMAP_TYPE_JPEG));
    ASSERT_TRUE(testimages::PhotoLike(20, 20, 3).SaveFile(dir.File("c.bmp"), wxBITMAP_TYPE_BMP));
    std::vector<giftest::Layer> layers;
    for (unsigned char c = 0; c < 3; ++c)
        layers.push_back({0, 0, 50, 40, 1, -1, std::vector<unsigned char>(50 * 40, c)});
    WriteBytes(dir.File("d.gif"), giftest::MakeGif(50, 40, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, layers));
}

void ExpectAnimation(const std::string& bytes, size_t frames, int width, int height, int delay)
{
    for (const giftest::File& file : {giftest::DecodeWithGiflib(bytes), giftest::DecodeWithWx(bytes)})
    {
        ASSERT_TRUE(file.ok);
        EXPECT_EQ(wxSize(file.width, file.height), wxSize(width, height));
        ASSERT_EQ(file.frames.size(), frames);
        for (const giftest::Frame& frame : file.frames)
        {
            EXPECT_EQ(wxSize(frame.width, frame.height), wxSize(width, height));
            EXPECT_EQ(frame.delay, delay);
        }
    }
}

// A w x h picture of `background` with a `colour` square of side `side` at (x, y).
wxImage Square(int w, int h, const wxImage& background, int x, int y, int side, const giftest::Rgb& colour)
{
    wxImage picture = background.IsOk() ? background.Copy() : wxImage(w, h, true);
    picture.SetRGB(wxRect(x, y, side, side).Intersect(wxRect(0, 0, w, h)), colour[0], colour[1], colour[2]);
    return picture;
}
} // namespace

TEST(CliProgram, MixedPicturesMakeOneLoopingAnimation)
{
    TempDir dir;
    MakeInputs(dir);
    // Only a name ending in exactly ".gif" gives every frame; any other picture one.
    ASSERT_TRUE(wxCopyFile(dir.File("d.gif"), dir.File("e.GIF")));
    CliRun run = RunCli(dir, {"--delay", "7", "-o", "out.gif", "a.png", "b.jpg", "c.bmp", "d.gif", "e.GIF"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // Output size from the frames: 40x30, then 64x48 exceeds both.
    ExpectAnimation(ReadBytes(dir.File("out.gif")), 7, 64, 48, 7);

    // The largest values the file's 16-bit fields hold; an input after "--" that looks like an option.
    ASSERT_TRUE(wxCopyFile(dir.File("a.png"), dir.File("-e.png")));
    run = RunCli(dir, {"--delay=65535", "--size=65535x1", "-v", "d.gif", "--output=wide.gif", "--", "-e.png"});
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectAnimation(ReadBytes(dir.File("wide.gif")), 4, 65535, 1, 65535);
    const std::string bytes = std::to_string(ReadBytes(dir.File("wide.gif")).size()) + " bytes) in ";
    EXPECT_EQ(run.err.rfind("gloamer-cli: 4 frames, ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(bytes), std::string::npos) << run.err;
    EXPECT_EQ(FilesIn(dir).size(), 8u);  // the inputs and the two animations, nothing else

    run = RunCli(dir, {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: gloamer-cli [--delay HUNDREDTHS] [--size WIDTHxHEIGHT] -o OUT.gif INPUT...\n", 0),
              0u);
    EXPECT_EQ(run.err, "");
}

TEST(CliProgram, FailuresExplainThemselvesAndLeaveNoFile)
{
    TempDir dir;
    MakeInputs(dir);
    WriteBytes(dir.File("junk.png"), "definitely not a picture");
    WriteBytes(dir.File("empty.gif"), std::string("GIF89a\x04\x00\x04\x00\x00\x00\x00\x3B", 14));
    WriteBytes(dir.File("truncated.gif"), ReadBytes(dir.File("d.gif")).substr(0, 20));
    ASSERT_TRUE(testsupport::MakeClip(dir, "long.mp4", testsupport::GreyRamp(32, 24, 1, 31), "-c:v libx264"));
    const wxArrayString inputs = FilesIn(dir);

    struct Case { std::vector<std::string> args; const char* says; };
    const Case cases[] = {
        {{"-o", "out.gif", "a.png", "missing.png"}, "missing.png"},
        {{"-o", "out.gif", "empty.gif"}, "no usable frame"},
        {{"-o", "out.gif", "truncated.gif"}, "truncated"},
        {{"-o", "no/such/folder/out.gif", "a.png"}, "no/such/folder/out.gif"},
        {{"a.png"}, "-o"},
        {{"-o", "out.gif"}, "no input"},
        {{"a.png", "-o"}, "-o needs a value"},
        {{"--bogus", "--help"}, "--bogus"},
        {{"--delay", "65536", "-o", "out.gif", "a.png"}, "--delay"},
        {{"--size", "0x5", "-o", "out.gif", "a.png"}, "--size"},
        {{"--size", "70000x10", "-o", "out.gif", "a.png"}, "--size"},
        {{"--quality=101", "-o", "out.gif", "a.png"}, "--quality"},
        {{"--quantizer", "best", "-o", "out.gif", "a.png"}, "--quantizer"},
        {{"--threads", "0", "-o", "out.gif", "a.png"}, "--threads"},
        {{"--fps", "0", "-o", "out.gif", "a.png"}, "--fps"},
        {{"--end", "1", "--duration", "2", "-o", "out.gif", "a.png"}, "not both"},
        {{"--start", "2", "--end", "0:02", "-o", "out.gif", "a.png"}, "must end after"},
        {{"--max-frames", "0", "-o", "out.gif", "a.png"}, "--max-frames"},
        // More than 3000 frames from one clip, or none.
        {{"--fps", "100", "-o", "out.gif", "long.mp4"}, "would give 3100 frames"},
        {{"--start", "40", "-o", "out.gif", "a.png", "long.mp4"}, "nothing to take from \"long.mp4\""},
        {{"-o", "out.gif", "long.mp4#t=31"}, "\"long.mp4#t=31\": the clip is 0:31.0 long"},
        // Last: a device is never replaced, and is given back at once if it was.
        {{"-o", "/dev/null", "a.png"}, "cannot write \"/dev/null\": it is not a regular file"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.args[0] + " " + c.says);
        const CliRun run = RunCli(dir, c.args);
        EXPECT_NE(run.status, 0);
        EXPECT_EQ(run.err.rfind("gloamer-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(FilesIn(dir) == inputs);  // neither the output nor a temporary file
    }
    struct stat null{};
    const bool device = stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode);
    if (!device && geteuid() == 0)
    {
        std::remove("/dev/null");
        mknod("/dev/null", S_IFCHR | 0666, makedev(1, 3));
        chmod("/dev/null", 0666);
    }
    EXPECT_TRUE(device);

    // An existing output stays as it was when a run fails, and is replaced when one succeeds.
    WriteBytes(dir.File("keep.gif"), "previous animation");
    EXPECT_NE(RunCli(dir, {"-o", "keep.gif", "a.png", "junk.png"}).status, 0);
    EXPECT_EQ(ReadBytes(dir.File("keep.gif")), "previous animation");
    EXPECT_EQ(RunCli(dir, {"-o", "keep.gif", "a.png"}).status, 0);
    ExpectAnimation(ReadBytes(dir.File("keep.gif")), 1, 40, 30, 10);  // the default delay
}

// Clips join pictures and GIFs at one rate, whose delay is the animation's unless one is given.
TEST(CliProgram, ClipsJoinPicturesAtTheirRate)
{
    TempDir dir;
    MakeInputs(dir);
    ASSERT_TRUE(testsupport::MakeClip(dir, "clip.mp4", testsupport::GreyRamp(64, 48, 10, 2), "-c:v libx264"));
    ASSERT_TRUE(testsupport::MakeClip(dir, "slow.webm", testsupport::GreyRamp(32, 24, 4, 2), "-c:v libvpx-vp9"));
    // Frame count, delay, and from frame `first` on the clips' frames.
    const struct { std::vector<std::string> args; size_t frames; int delay; size_t first; std::vector<int> clipFrames; }
        runs[] = {
        {{"--fps", "5", "--start", "0.5", "--duration", "1", "a.png", "clip.mp4", "d.gif"}, 9, 20, 1, {5, 7, 9, 11, 13}},
        {{"--delay", "7", "--end", "0:00.3", "clip.mp4", "a.png"}, 4, 7, 0, {0, 1, 2}},
        // The first clip's own rate, 4 frames a second, for every clip.
        {{"slow.webm", "clip.mp4"}, 16, 25, 0, {0, 1, 2, 3, 4, 5, 6, 7, 0, 2, 5, 7, 10, 12, 15, 17}},
        {{"clip.mp4#t=1.25", "clip.mp4#t=0.5", "a.png"}, 3, 10, 0, {12, 5}},
    };
    for (const auto& run : runs)
    {
        SCOPED_TRACE(run.args.front());
        std::vector<std::string> args{"-o", "out.gif"};
        args.insert(args.end(), run.args.begin(), run.args.end());
        const CliRun ran = RunCli(dir, args);
        ASSERT_EQ(ran.status, 0) << ran.err;
        const std::string bytes = ReadBytes(dir.File("out.gif"));
        const giftest::File file = giftest::DecodeWithGiflib(bytes);
        ASSERT_EQ(file.frames.size(), run.frames);
        EXPECT_EQ(wxSize(file.width, file.height), wxSize(64, 48));
        EXPECT_EQ(file.frames[0].delay, run.delay);
        const auto shown = giftest::Coalesce(file);
        for (size_t f = 0; f < run.clipFrames.size(); ++f)
        {
            wxImage picture(64, 48);
            std::copy_n(shown[run.first + f].front().data(), 64 * 48 * 3, picture.GetData());
            if (run.clipFrames.size() > 8 && f < 8) // the small clip, in the middle of the black canvas
                picture = picture.GetSubImage(wxRect(16, 12, 32, 24));
            EXPECT_EQ(testsupport::GreyRampFrame(picture), run.clipFrames[f]) << "frame " << f;
        }
    }
}

// --optimize changes the bytes, never the pictures, and never makes the file larger;
// frames of few colours keep exactly their colours.
TEST(CliProgram, OptimizedFilesShowThePlainFilesPictures)
{
    TempDir dir;
    const wxImage photo = testimages::PhotoLike(48, 32, 5);
    const giftest::Rgb red{255, 0, 0}, white{255, 255, 255};
    struct Animation { const char* name; std::vector<wxImage> pictures; std::vector<std::string> extra; bool flat; };
    std::vector<Animation> animations = {
        {"still", {photo, photo, photo, photo}, {}, false},
        {"moving", {}, {}, true},
        {"moving-over-photo", {}, {}, false},
        {"full-change", {testimages::PhotoLike(48, 32, 1), Square(48, 32, wxImage(), 0, 0, 48, white),
                         testimages::PhotoLike(48, 32, 2), Square(48, 32, wxImage(), 0, 0, 48, red)}, {}, false},
        {"odd-sizes", {testimages::PhotoLike(20, 41, 3), Square(51, 9, wxImage(), 3, 3, 4, red),
                       testimages::PhotoLike(7, 5, 4)}, {"--size", "33x17"}, false},
        {"transparent-input", {}, {}, false},
    };
    for (int i = 0; i < 6; ++i)
    {
        animations[1].pictures.push_back(Square(41, 23, wxImage(), 3 + 5 * i, 7 + i, 6, red));
        animations[2].pictures.push_back(Square(48, 32, photo, 30 - 4 * i, 2 + 3 * i, 5, white));
    }
    // A picture with alpha, and a GIF whose frames partly cover and mostly keep what was there.
    wxImage faded = testimages::PhotoLike(30, 20, 6);
    faded.SetAlpha();
    for (int p = 0; p < 30 * 20; ++p)
        faded.GetAlpha()[p] = static_cast<unsigned char>(p * 7);
    animations[5].pictures = {faded, faded};
    std::vector<giftest::Layer> layers{{0, 0, 30, 20, 1, -1, std::vector<unsigned char>(600, 1)}};
    for (int i = 0; i < 3; ++i)
    {
        std::vector<unsigned char> patch(8 * 6, 2);
        for (size_t p = 0; p < patch.size(); p += 3)
            patch[p] = 0;  // transparent: the frame below shows through
        layers.push_back({4 * i, 3 * i, 8, 6, i == 1 ? 2 : 1, 0, patch});
    }
    WriteBytes(dir.File("layers.gif"), giftest::MakeGif(30, 20, {{0, 0, 0}, {0, 90, 200}, {250, 200, 0}}, layers));

    for (const Animation& animation : animations)
    {
        SCOPED_TRACE(animation.name);
        std::vector<std::string> inputs;
        for (size_t i = 0; i < animation.pictures.size(); ++i)
        {
            inputs.push_back(std::string(animation.name) + std::to_string(i) + ".png");
            ASSERT_TRUE(animation.pictures[i].SaveFile(dir.File(inputs.back()), wxBITMAP_TYPE_PNG));
        }
        if (animation.name == std::string("transparent-input"))
            inputs.push_back("layers.gif");
        auto encode = [&](std::vector<std::string> options, const std::string& output) {
            options.insert(options.end(), animation.extra.begin(), animation.extra.end());
            options.insert(options.end(), {"-o", output});
            options.insert(options.end(), inputs.begin(), inputs.end());
            EXPECT_EQ(RunCli(dir, options).status, 0);
            return ReadBytes(dir.File(output));
        };
        const std::string plain = encode({}, "plain.gif");
        const auto shown = giftest::Coalesce(giftest::DecodeWithGiflib(plain));
        ASSERT_FALSE(shown.empty());
        for (size_t f = 0; animation.flat && f < shown.size(); ++f)
            EXPECT_EQ(std::memcmp(shown[f].data(), animation.pictures[f].GetData(), 3 * shown[f].size()), 0) << f;

        const std::string optimized = encode({"--optimize"}, "optimized.gif");
        EXPECT_TRUE(giftest::Coalesce(giftest::DecodeWithGiflib(optimized)) == shown);
        // Never larger; a third at most for still frames, two thirds for moving flat ones.
        const bool still = animation.name == std::string("still");
        EXPECT_LE(optimized.size() * (still ? 3 : animation.flat ? 3 : 1), plain.size() * (animation.flat ? 2 : 1));
        const std::string lossy = encode({"--optimize", "--quality", "60"}, "lossy.gif");
        EXPECT_EQ(giftest::Coalesce(giftest::DecodeWithGiflib(lossy)).size(), shown.size());
    }
}
