// Project files: the markers after runs of GIF frames, the exact layout
// written, and reading files as other versions and broken copies have them.

#include "cli/cliencoder.h"
#include "picture/framereference.h"
#include "project/projectfile.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using Paths = std::vector<wxString>;

// A marker (the GIF's own path) follows each run of its frames; for a run
// at the end it comes before the last frame.
TEST(ProjectFile, MarkersFollowEachRunOfGifFrames)
{
    const struct { Paths entries, written; } cases[] = {
        {{"/p/a.png", "/p/anim.gif_0", "/p/anim.gif_1", "/p/anim.gif_2", "/p/b.png"},
         {"/p/a.png", "/p/anim.gif_0", "/p/anim.gif_1", "/p/anim.gif_2", "/p/anim.gif", "/p/b.png"}},
        {{"/p/a.png", "/p/anim.gif_0", "/p/anim.gif_1", "/p/anim.gif_2"},
         {"/p/a.png", "/p/anim.gif_0", "/p/anim.gif_1", "/p/anim.gif", "/p/anim.gif_2"}},
        {{"/p/anim.gif_0"}, {"/p/anim.gif_0"}},
        {{}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProjectPathsWithMarkers(c.entries), c.written) << c.entries.size();
}

// The layout other versions read, escaped text read back as written; a
// directory in the way is refused by name.
TEST(ProjectFile, WritesTheLayoutAndReadsItBack)
{
    testsupport::TempDir dir;
    ProjectContent written;
    written.gifName = wxString::FromUTF8("Früh & <spät>.gif");
    written.width = 400;
    written.height = 300;
    written.delay = 7;
    written.paths = {wxString::FromUTF8("/bilder/straße & <1>.png"), "/p/anim.gif_3"};
    const wxString path = dir.File("demo.xml");
    wxString error;
    ASSERT_TRUE(WriteProjectFile(path, written, error)) << error;
    const std::string bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<project>\n  <name>", 0), 0u) << bytes;
    EXPECT_NE(bytes.find("\n  <gif>\n    <width>400</width>\n    <height>300</height>\n    <delay_time>7</delay_time>"),
              std::string::npos)
        << bytes;
    ProjectContent read;
    ASSERT_TRUE(ReadProjectFile(path, read));
    EXPECT_TRUE(read.hasSize && read.hasDelay);
    EXPECT_EQ(read.gifName, written.gifName);
    EXPECT_EQ(std::make_tuple(read.width, read.height, read.delay), std::make_tuple(400, 300, 7));
    EXPECT_EQ(read.images, ProjectContent::Images::Listed);
    EXPECT_EQ(read.paths, written.paths);
    ASSERT_TRUE(wxMkdir(dir.File("taken.xml")));
    EXPECT_FALSE(WriteProjectFile(dir.File("taken.xml"), written, error));
    EXPECT_TRUE(error.Contains("taken.xml")) << error;
}

// Reading stops at the first misplaced element, keeping what came before;
// a comment before the root or another root is no project; numbers are read
// by the C rules, never refused or trusted.
TEST(ProjectFile, ReadingStopsAtTheFirstMisplacedElement)
{
    testsupport::TempDir dir;
    const std::string gif = "<gif><width>40</width><height>30</height><delay_time>5</delay_time></gif>";
    using Images = ProjectContent::Images;
    const struct { const char* label; std::string body; bool readable, size, delay; Images images; size_t paths; } cases[] = {
        {"whole", "<project><name/>" + gif + "<images><path>/a.png</path><path>/b.png</path></images></project>", true,
         true, true, Images::Listed, 2},
        {"empty name text", "<project><name></name>" + gif + "<images/></project>", true, true, true, Images::Empty, 0},
        {"not a path", "<project><name/>" + gif + "<images><path>/a.png</path><file>x</file></images></project>", true,
         true, true, Images::Broken, 0},
        {"no delay", "<project><name/><gif><width>1</width><height>2</height><delay>5</delay></gif></project>", true,
         true, false, Images::Missing, 0},
        {"no height", "<project><name/><gif><width>1</width></gif></project>", true, false, false, Images::Missing, 0},
        {"comment first", "<!-- saved by hand --><project><name/>" + gif + "<images/></project>", false, false, false,
         Images::Missing, 0},
        {"other root", "<album/>", false, false, false, Images::Missing, 0},
        {"malformed", "<project><name>", false, false, false, Images::Missing, 0},
    };
    ProjectContent read;
    for (const auto& c : cases)
    {
        testsupport::WriteBytes(dir.File("p.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + c.body);
        EXPECT_EQ(ReadProjectFile(dir.File("p.xml"), read), c.readable) << c.label;
        EXPECT_EQ(std::make_tuple(read.hasSize, read.hasDelay, read.images, read.paths.size()),
                  std::make_tuple(c.size, c.delay, c.images, c.paths))
            << c.label;
    }
    testsupport::WriteBytes(dir.File("n.xml"), "<project><name/><gif><width>-5</width><height>99999999999</height>"
                                               "<delay_time>soon</delay_time></gif><images/></project>");
    ASSERT_TRUE(ReadProjectFile(dir.File("n.xml"), read));
    EXPECT_EQ(std::make_tuple(read.width, read.height, read.delay), std::make_tuple(-5, 2147483647, 0));
}

// gloamer-cli renders a project (its size, delay, frames, gone ones skipped,
// clip frames as the part of the clip they were taken from) as the same
// frames given by hand; no project or no usable frame: one line
// naming the file, status 1, no output.
TEST(ProjectFile, GloamerCliRendersAProjectAsItsFramesGivenByHand)
{
    testsupport::TempDir dir;
    wxImage still(30, 20);
    still.SetRGB(wxRect(0, 0, 30, 20), 200, 40, 40);
    ASSERT_TRUE(still.SaveFile(dir.File("a.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(wxImage(20, 30).SaveFile(dir.File("b.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(wxCopyFile(dir.File("b.png"), dir.File("gone-later.png")));
    ASSERT_TRUE(testsupport::MakeClip(dir, "clip.mp4", testsupport::GreyRamp(30, 20, 10, 1), "-c:v libx264"));
    ProjectContent project;
    project.width = 24;
    project.height = 16;
    project.delay = 12;
    project.paths = ProjectPathsWithMarkers({dir.File("a.png"), dir.File("gone-later.png"),
                                             MakeClipFrameReference(dir.File("clip.mp4"), 200000), dir.File("clip.mp4#t=0.4"),
                                             dir.File("clip.mp4#t=0.6"), dir.File("gone.mp4#t=0.6"), dir.File("b.png")});
    wxString error;
    ASSERT_TRUE(WriteProjectFile(dir.File("p.xml"), project, error)) << error;
    wxRemoveFile(dir.File("gone-later.png"));
    std::ostringstream out, err;
    ASSERT_EQ(RunCliEncoder({"--project", dir.File("p.xml"), "-o", dir.File("p.gif")}, out, err), 0) << err.str();
    ASSERT_EQ(RunCliEncoder({"--delay", "12", "--size", "24x16", "--fps", "5", "--start", "0.2", "--end", "0.7", "-o",
                             dir.File("h.gif"), dir.File("a.png"), dir.File("clip.mp4"), dir.File("b.png")}, out, err), 0);
    EXPECT_TRUE(testsupport::ReadBytes(dir.File("p.gif")) == testsupport::ReadBytes(dir.File("h.gif")));

    testsupport::WriteBytes(dir.File("bad.xml"), "<album/>");
    project.paths = {dir.File("gone-later.png")};
    ASSERT_TRUE(WriteProjectFile(dir.File("empty.xml"), project, error));
    for (const char* name : {"bad.xml", "empty.xml"})
    {
        std::ostringstream quietOut, quietErr;
        EXPECT_EQ(RunCliEncoder({"--project", dir.File(name), "-o", dir.File("x.gif")}, quietOut, quietErr), 1);
        EXPECT_NE(quietErr.str().find(name), std::string::npos) << quietErr.str();
        EXPECT_FALSE(wxFileExists(dir.File("x.gif")));
    }
}
