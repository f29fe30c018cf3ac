// gloamer-cli: option parsing in-process, and the built program run as a
// subprocess with no display, its output checked with giflib.
#include "cli/clioptions.h"
#include "gifcodec.h"
#include "support/testsupport.h"
#include "testimages.h"

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/image.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace
{
bool Parse(const std::vector<wxString>& args, CliOptions& options, wxString* error = nullptr)
{
    wxString message;
    const bool ok = ParseCliArguments(args, options, message);
    if (error)
        *error = message;
    return ok;
}

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built program with the display variables removed.
CliRun RunCli(const TempDir& dir, const std::vector<std::string>& args)
{
    std::string command = "cd '" + dir.Path().ToStdString() + "' && env -u DISPLAY -u WAYLAND_DISPLAY '" +
                          std::string(GLOAMER_STAGE_DIR) + "/bin/gloamer-cli'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    const std::string outFile = dir.Path().ToStdString() + "/../" + dir.Path().AfterLast('/').ToStdString() + ".out";
    const std::string errFile = outFile + ".err";
    command += " >'" + outFile + "' 2>'" + errFile + "'";
    CliRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadBytes(outFile);
    run.err = ReadBytes(errFile);
    std::remove(outFile.c_str());
    std::remove(errFile.c_str());
    return run;
}

std::vector<std::string> FilesIn(const TempDir& dir)
{
    std::vector<std::string> names;
    wxDir folder(dir.Path());
    wxString name;
    for (bool more = folder.GetFirst(&name, wxEmptyString, wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN); more;
         more = folder.GetNext(&name))
        names.push_back(name.ToStdString());
    std::sort(names.begin(), names.end());
    return names;
}

// Three 50x40 frames of different colours.
std::string ThreeFrameGif()
{
    giftest::File file;
    file.width = 50;
    file.height = 40;
    file.globalColours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (unsigned char c = 0; c < 3; ++c)
    {
        giftest::Frame frame;
        frame.width = 50;
        frame.height = 40;
        frame.indices.assign(50 * 40, c);
        frame.delay = 33;  // the animation's own delay replaces it
        file.frames.push_back(frame);
    }
    return giftest::EncodeWithGiflib(file);
}

void MakeInputs(const TempDir& dir)
{
    ASSERT_TRUE(testimages::PhotoLike(40, 30, 1).SaveFile(dir.File("a.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(testimages::PhotoLike(64, 48, 2).SaveFile(dir.File("b.jpg"), wxBITMAP_TYPE_JPEG));
    ASSERT_TRUE(testimages::PhotoLike(20, 20, 3).SaveFile(dir.File("c.bmp"), wxBITMAP_TYPE_BMP));
    WriteBytes(dir.File("d.gif"), ThreeFrameGif());
}

void ExpectAnimation(const std::string& bytes, int frames, int width, int height, int delay)
{
    const giftest::File file = giftest::DecodeWithGiflib(bytes);
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.width, width);
    EXPECT_EQ(file.height, height);
    EXPECT_EQ(file.loopCount, 0);
    ASSERT_EQ(static_cast<int>(file.frames.size()), frames);
    for (const giftest::Frame& frame : file.frames)
    {
        EXPECT_EQ(frame.width, width);
        EXPECT_EQ(frame.height, height);
        EXPECT_EQ(frame.delay, delay);
    }
    EXPECT_TRUE(giftest::DecodeWithWx(bytes).ok);
}
} // namespace

TEST(CliOptions, Parses)
{
    CliOptions options;
    ASSERT_TRUE(Parse({"-o", "x.gif", "a.png", "b.gif"}, options));
    EXPECT_EQ(options.delay, 10);
    EXPECT_FALSE(options.hasSize);
    EXPECT_EQ(options.output, "x.gif");
    EXPECT_EQ(options.inputs, (std::vector<wxString>{"a.png", "b.gif"}));

    ASSERT_TRUE(Parse({"--delay", "0", "--size=320x200", "a.png", "--output=y.gif", "--", "-odd.png"}, options));
    EXPECT_EQ(options.delay, 0);
    EXPECT_TRUE(options.hasSize);
    EXPECT_EQ(options.width, 320);
    EXPECT_EQ(options.height, 200);
    EXPECT_EQ(options.output, "y.gif");
    EXPECT_EQ(options.inputs, (std::vector<wxString>{"a.png", "-odd.png"}));

    ASSERT_TRUE(Parse({"--delay=65535", "--size", "65535x1", "-o", "z.gif", "a"}, options));
    EXPECT_EQ(options.delay, 65535);

    ASSERT_TRUE(Parse({"--bogus", "--help"}, options) == false);
    ASSERT_TRUE(Parse({"a.png", "--help"}, options));
    EXPECT_TRUE(options.help);
    EXPECT_TRUE(GetCliUsage().StartsWith("Usage: gloamer-cli [--delay HUNDREDTHS] [--size WIDTHxHEIGHT] -o OUT.gif INPUT..."));
}

TEST(CliOptions, RejectsBadCommandLines)
{
    const std::vector<std::vector<wxString>> bad = {
        {"a.png"},                                  // no output
        {"-o", "x.gif"},                            // no input
        {"-o"},                                     // output without value
        {"--delay", "-1", "-o", "x.gif", "a"},
        {"--delay", "1.5", "-o", "x.gif", "a"},
        {"--delay", "65536", "-o", "x.gif", "a"},
        {"--delay", "", "-o", "x.gif", "a"},
        {"--size", "0x5", "-o", "x.gif", "a"},
        {"--size", "100", "-o", "x.gif", "a"},
        {"--size", "70000x10", "-o", "x.gif", "a"},
        {"--size", "10x10x10", "-o", "x.gif", "a"},
        {"--size=", "-o", "x.gif", "a"},
        {"-x", "-o", "x.gif", "a"},
        {"--delays=5", "-o", "x.gif", "a"},
    };
    for (const auto& args : bad)
    {
        CliOptions options;
        wxString error;
        EXPECT_FALSE(Parse(args, options, &error)) << args.size();
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(error.Contains("\n"));
    }
}

TEST(CliProgram, MixedPicturesMakeOneLoopingAnimation)
{
    TempDir dir;
    MakeInputs(dir);
    CliRun run = RunCli(dir, {"--delay", "7", "-o", "out.gif", "a.png", "b.jpg", "c.bmp", "d.gif"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // Output size from the frames: 40x30, then 64x48 exceeds both.
    ExpectAnimation(ReadBytes(dir.File("out.gif")), 6, 64, 48, 7);

    run = RunCli(dir, {"--size", "32x20", "-o", "small.gif", "d.gif", "a.png"});
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectAnimation(ReadBytes(dir.File("small.gif")), 4, 32, 20, 10);

    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"a.png", "b.jpg", "c.bmp", "d.gif", "out.gif", "small.gif"}));
}

TEST(CliProgram, HelpNeedsNoOtherArguments)
{
    TempDir dir;
    const CliRun run = RunCli(dir, {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: gloamer-cli", 0), 0u);
    EXPECT_NE(run.out.find("--delay HUNDREDTHS"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(CliProgram, FailuresExplainThemselvesAndLeaveNoFile)
{
    TempDir dir;
    MakeInputs(dir);
    WriteBytes(dir.File("junk.png"), "definitely not a picture");
    WriteBytes(dir.File("empty.gif"), std::string("GIF89a\x04\x00\x04\x00\x00\x00\x00\x3B", 14));
    ASSERT_TRUE(wxMkdir(dir.File("folder.gif")));
    const std::vector<std::string> inputs = FilesIn(dir);

    struct Case { std::vector<std::string> args; const char* says; };
    const std::vector<Case> cases = {
        {{"-o", "out.gif", "a.png", "missing.png"}, "missing.png"},
        {{"-o", "out.gif", "a.png", "junk.png"}, "junk.png"},
        {{"-o", "out.gif", "empty.gif"}, "no usable frame"},
        {{"-o", "no/such/folder/out.gif", "a.png"}, "no/such/folder/out.gif"},
        {{"-o", "folder.gif", "a.png"}, "folder.gif"},
        {{"--bogus", "-o", "out.gif", "a.png"}, "--bogus"},
        {{"--delay", "soon", "-o", "out.gif", "a.png"}, "--delay"},
        {{"a.png"}, "-o"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.says);
        const CliRun run = RunCli(dir, c.args);
        EXPECT_NE(run.status, 0);
        EXPECT_EQ(run.err.rfind("gloamer-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(FilesIn(dir), inputs);  // neither the output nor a temporary file
    }

    // An existing output stays as it was when a run fails.
    WriteBytes(dir.File("keep.gif"), "previous animation");
    EXPECT_NE(RunCli(dir, {"-o", "keep.gif", "a.png", "junk.png"}).status, 0);
    EXPECT_EQ(ReadBytes(dir.File("keep.gif")), "previous animation");
    // ... and is replaced when it succeeds.
    EXPECT_EQ(RunCli(dir, {"-o", "keep.gif", "a.png"}).status, 0);
    ExpectAnimation(ReadBytes(dir.File("keep.gif")), 1, 40, 30, 10);
}
