// Project files: markers, the exact layout written, and reading odd and broken files.

#include "cli/cliencoder.h"
#include "picture/framereference.h"
#include "project/projectfile.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/image.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const std::string kGif = "<gif><width>40</width><height>30</height><delay_time>5</delay_time></gif>";

// Only text XML cannot carry is percent-encoded, so other versions still read the rest.
TEST(ProjectFile, WritesTheLayoutWithMarkersAndReadsItBack)
{
    testsupport::TempDir dir;
    ProjectContent written;
    written.hasSize = written.hasDelay = true;
    written.images = ProjectContent::Images::Listed;
    written.gifName = wxString::FromUTF8("Früh & <spät>\x1f.gif");
    written.width = 400;
    written.height = 300;
    written.delay = 7;
    written.paths = {wxString::FromUTF8("/bilder/straße & <1>.png"), "/p/anim.gif_3", "/p/ctl\x01x%.png",
                     "/p/50%\tof\r\nit.png", wxString::FromUTF8("/p/\xef\xbf\xbe.png")};
    written.hasRecovery = true;
    written.loopCount = 3;
    written.gifPath = "/p/out\x02.gif";
    written.projectPath = "/p/demo.xml";
    const wxString path = dir.File("demo.xml");
    wxString error;
    ASSERT_TRUE(WriteProjectFile(path, written, error)) << error;
    const std::string bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<project>\n  <name encoding=\"percent\">", 0), 0u)
        << bytes;
    for (const char* part : {"\n  <gif>\n    <width>400</width>\n    <height>300</height>\n    <delay_time>7</delay_time>",
                             "<path>/bilder/stra\xc3\x9f\x65 &amp; &lt;1&gt;.png</path>\n    <path>/p/anim.gif_3</path>",
                             "<path encoding=\"percent\">/p/ctl%01x%25.png</path>", "<path>/p/50%\tof&#xD;\nit.png</path>",
                             "<path encoding=\"percent\">/p/%EF%BF%BE.png</path>", "</images>\n  <recovery>"})
        EXPECT_NE(bytes.find(part), std::string::npos) << part << "\n" << bytes;
    ProjectContent read;
    ASSERT_EQ(ReadProjectFile(path, read), ProjectRead::Ok);
    EXPECT_TRUE(read == written);
    ASSERT_TRUE(wxMkdir(dir.File("taken.xml")));
    EXPECT_FALSE(WriteProjectFile(dir.File("taken.xml"), written, error));
    EXPECT_TRUE(error.Contains("taken.xml")) << error;

    // For a run of GIF frames at the end the marker comes before the last frame, as other versions expect.
    const struct { std::vector<wxString> entries, written; } cases[] = {
        {{"/p/a.png", "/p/anim.gif_0", "/p/anim.gif_1", "/p/anim.gif_2", "/p/b.png"},
         {"/p/a.png", "/p/anim.gif_0", "/p/anim.gif_1", "/p/anim.gif_2", "/p/anim.gif", "/p/b.png"}},
        {{"/p/a.png", "/p/anim.gif_0", "/p/anim.gif_1", "/p/anim.gif_2"},
         {"/p/a.png", "/p/anim.gif_0", "/p/anim.gif_1", "/p/anim.gif", "/p/anim.gif_2"}},
        {{"/p/anim.gif_0"}, {"/p/anim.gif_0"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProjectPathsWithMarkers(c.entries), c.written) << c.entries.size();
}

// Numbers are read by the C rules (as other versions do), never refused or trusted.
TEST(ProjectFile, ReadingStopsAtTheFirstMisplacedElement)
{
    testsupport::TempDir dir;
    using Images = ProjectContent::Images;
    const struct { const char* label; std::string body; bool readable, size, delay; Images images; size_t paths; } cases[] = {
        {"comments and blank text between", "<project><!-- x --><name> </name>\n<gif><width>40</width><!-- w -->"
         "<height>30</height><delay_time>5</delay_time></gif><images><path> /a.png</path><path>/b.png</path></images>"
         "</project>", true, true, true, Images::Listed, 2},
        {"not a path", "<project><name/>" + kGif + "<images><path>/a.png</path><file>x</file></images></project>", true,
         true, true, Images::Broken, 0},
        {"empty images", "<project><name></name>" + kGif + "<images/></project>", true, true, true, Images::Empty, 0},
        {"no delay", "<project><name/><gif><width>1</width><height>2</height><delay>5</delay></gif></project>", true,
         true, false, Images::Missing, 0},
        {"no height", "<project><name/><gif><width>1</width></gif></project>", true, false, false, Images::Missing, 0},
        {"comment first", "<!-- saved by hand --><project><name/>" + kGif + "<images/></project>", false, false, false,
         Images::Missing, 0},
        {"other root", "<album/>", false, false, false, Images::Missing, 0},
        {"malformed", "<project><name>", false, false, false, Images::Missing, 0},
    };
    ProjectContent read;
    for (const auto& c : cases)
    {
        testsupport::WriteBytes(dir.File("p.xml"), kHead + c.body);
        EXPECT_EQ(ReadProjectFile(dir.File("p.xml"), read) == ProjectRead::Ok, c.readable) << c.label;
        EXPECT_EQ(std::make_tuple(read.hasSize, read.hasDelay, read.images, read.paths.size()),
                  std::make_tuple(c.size, c.delay, c.images, c.paths))
            << c.label;
    }
    testsupport::WriteBytes(dir.File("n.xml"), "<project><name/><gif><width>-5</width><height>99999999999</height>"
                                               "<delay_time>soon</delay_time></gif><images/></project>");
    ASSERT_EQ(ReadProjectFile(dir.File("n.xml"), read), ProjectRead::Ok);
    EXPECT_EQ(std::make_tuple(read.width, read.height, read.delay), std::make_tuple(-5, 2147483647, 0));
}

TEST(ProjectFile, GloamerCliRendersAProjectAsItsFramesGivenByHand)
{
    testsupport::TempDir dir;
    wxImage still(30, 20);
    still.Clear(200);
    ASSERT_TRUE(still.SaveFile(dir.File("a.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(wxImage(20, 30).SaveFile(dir.File("b.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(testsupport::MakeClip(dir, "clip.mp4", testsupport::GreyRamp(30, 20, 10, 1), "-c:v libx264"));
    ProjectContent project;
    project.width = 24;
    project.height = 16;
    project.delay = 12;
    project.paths = ProjectPathsWithMarkers({dir.File("a.png"), dir.File("gone.png"),
                                             MakeClipFrameReference(dir.File("clip.mp4"), 200000), dir.File("clip.mp4#t=0.4"),
                                             dir.File("clip.mp4#t=0.6"), dir.File("gone.mp4#t=0.6"), dir.File("b.png")});
    wxString error;
    ASSERT_TRUE(WriteProjectFile(dir.File("p.xml"), project, error)) << error;
    std::ostringstream out, err;
    ASSERT_EQ(RunCliEncoder({"--project", dir.File("p.xml"), "-o", dir.File("p.gif")}, out, err), 0) << err.str();
    ASSERT_EQ(RunCliEncoder({"--delay", "12", "--size", "24x16", "--fps", "5", "--start", "0.2", "--end", "0.7", "-o",
                             dir.File("h.gif"), dir.File("a.png"), dir.File("clip.mp4"), dir.File("b.png")}, out, err), 0);
    EXPECT_TRUE(testsupport::ReadBytes(dir.File("p.gif")) == testsupport::ReadBytes(dir.File("h.gif")));

    project.paths = {dir.File("gone.png")};
    ASSERT_TRUE(WriteProjectFile(dir.File("empty.xml"), project, error));
    EXPECT_EQ(RunCliEncoder({"--project", dir.File("empty.xml"), "-o", dir.File("x.gif")}, out, err), 1);
    EXPECT_NE(err.str().find("empty.xml"), std::string::npos) << err.str();
    EXPECT_FALSE(wxFileExists(dir.File("x.gif")));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size);

// Each file also goes through the fuzz entry, whose own checks must hold.
TEST(ProjectFile, HostileFilesAreRefusedWithTheirReason)
{
    testsupport::TempDir dir;
    const auto project = [&](const std::string& name, const std::string& images = "<images/>") {
        return kHead + "<project><name>" + name + "</name>" + kGif + images + "</project>";
    };
    std::string deep, many = "<images>";
    for (int i = 0; i < 131072; ++i)
        deep += "<a>";
    for (int i = 0; i <= kMaxProjectFrames; ++i)
        many += "<path>/p/x.png</path><path>/p/x.gif</path>";
    using Read = ProjectRead;
    const struct { const char* label; std::string bytes; Read read; } files[] = {
        {"deep", kHead + "<project>" + deep, Read::NotAProject},
        {"long text", project(std::string(8 << 20, 'x')), Read::NotAProject},
        {"raw control character", project("a\x01"), Read::NotAProject},
        // Any declaration ends the reading, before an entity could grow or fetch anything.
        {"external entity", kHead + "<!DOCTYPE project [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" +
                                project("&x;").substr(kHead.size()), Read::NotAProject},
        {"one frame too many", project("", many + "</images>"), Read::TooManyFrames},
    };
    const auto check = [&](const std::string& label, const wxString& path, Read expected) {
        ProjectContent content;
        EXPECT_EQ(ReadProjectFile(path, content), expected) << label;
        EXPECT_TRUE(content == ProjectContent()) << label;
        std::ostringstream out, err;
        EXPECT_EQ(RunCliEncoder({"--project", path, "-o", dir.File("out.gif")}, out, err), 1) << label;
        const wxString line = "gloamer-cli: cannot read project \"" + path + "\": " + DescribeProjectRead(expected) + "\n";
        EXPECT_EQ(err.str(), line.utf8_string()) << label;
    };
    for (const auto& file : files)
    {
        testsupport::WriteBytes(dir.File("p.xml"), file.bytes);
        check(file.label, dir.File("p.xml"), file.read);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(file.bytes.data()), file.bytes.size());
    }
    // A FIFO must not block the reader; a file over the limit is not read at all.
    ASSERT_EQ(mkfifo(dir.File("fifo.xml").fn_str(), 0600), 0);
    ASSERT_EQ(truncate(dir.File("p.xml").fn_str(), kMaxProjectFileBytes + 1), 0);
    const std::pair<wxString, Read> special[] = {
        {dir.File("fifo.xml"), Read::NotAFile}, {dir.File("p.xml"), Read::TooLarge}, {dir.File("gone.xml"), Read::Missing}};
    for (const auto& [path, read] : special)
        check(std::string(path.utf8_str()), path, read);
}
