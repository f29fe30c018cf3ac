// Video clips made here with ffmpeg, and the times, parts and frame references.
#include "picturefiles.h"
#include "support/testsupport.h"

#include "picture/framereference.h"
#include "picture/videoreader.h"
#include "picture/videotime.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

using picturefiles::MeanDifference;
using testsupport::GreyRamp;
using testsupport::GreyRampFrame;
using testsupport::MakeClip;
using testsupport::TempDir;

namespace
{
struct Taken
{
    PictureStatus status;
    std::vector<int> frames;        // ramp frame numbers
    std::vector<std::int64_t> times;
    std::vector<wxImage> images;
};

Taken TakePart(const wxString& path, const VideoPart& part, const VideoLimits& limits = VideoLimits())
{
    Taken taken;
    taken.status = ReadVideoPart(path, part, wxSize(), [&](wxImage& frame, std::int64_t time) {
        taken.frames.push_back(GreyRampFrame(frame));
        taken.times.push_back(time);
        taken.images.push_back(frame);
        return true;
    }, limits);
    return taken;
}

std::vector<int> FramesAt(const wxString& path, const std::vector<std::int64_t>& times)
{
    std::vector<int> frames;
    const PictureStatus status = ReadVideoFramesAt(path, times, wxSize(), [&](wxImage& frame, std::int64_t) {
        frames.push_back(GreyRampFrame(frame));
        return true;
    });
    EXPECT_TRUE(status.IsOk()) << DescribePictureStatus(status);
    return frames;
}
} // namespace

// The frame shown at a time is the last one that starts at or before it.
TEST(VideoClips, EveryContainerAndCodecGivesTheFrameShownAtEachTime)
{
    TempDir dir;
    const std::string ramp = GreyRamp(64, 48, 10, 2);
    const struct { const char* name; std::string options; } clips[] = {
        {"h264.mp4", "-c:v libx264"},
        {"sound.mp4", "-f lavfi -i sine=d=2 -c:v libx264 -c:a aac"},
        {"hevc.mov", "-c:v libx265 -x265-params log-level=error -tag:v hvc1"},
        {"vp9.webm", "-c:v libvpx-vp9"},
        {"av1.mkv", "-c:v libaom-av1 -cpu-used 8"},
        {"mjpeg.avi", "-c:v mjpeg"},
    };
    for (const auto& clip : clips)
    {
        SCOPED_TRACE(clip.name);
        ASSERT_TRUE(MakeClip(dir, clip.name, ramp, clip.options));
        const wxString path = dir.File(clip.name);
        VideoInfo info;
        const PictureStatus probed = ProbeVideo(path, info);
        ASSERT_TRUE(probed.IsOk()) << DescribePictureStatus(probed);
        EXPECT_EQ(std::make_tuple(info.size, info.duration, info.frameRate),
                  std::make_tuple(wxSize(64, 48), 2 * kMicroseconds, 10.0));
        EXPECT_EQ(FramesAt(path, {0, 99999, 100000, 150000, 1234567, 1999999}), (std::vector<int>{0, 0, 1, 1, 12, 19}));
        const VideoPart part{350000, 1200000, 4};
        EXPECT_EQ(CountVideoFrames(info, part), 4);
        const Taken taken = TakePart(path, part);
        EXPECT_TRUE(taken.status.IsOk() && !taken.status.cutShort) << DescribePictureStatus(taken.status);
        EXPECT_EQ(taken.frames, (std::vector<int>{3, 6, 8, 11}));
        EXPECT_EQ(taken.times, (std::vector<std::int64_t>{350000, 600000, 850000, 1100000}));
        EXPECT_EQ(TakePart(path, VideoPart()).frames.size(), 20u);
    }
}

TEST(VideoClips, RotationAspectRatioAndVariableRateAreHonoured)
{
    TempDir dir;
    // White on the left quarter: every turn puts it elsewhere.
    ASSERT_TRUE(MakeClip(dir, "upright.mp4", "color=c=black:s=64x48:r=10:d=1,format=yuv420p,geq=lum='if(lt(X,16),235,16)':"
                                             "cb=128:cr=128", "-c:v libx264"));
    for (const char* angle : {"90", "180", "270"})
    {
        SCOPED_TRACE(angle);
        ASSERT_TRUE(testsupport::RunIn(dir.Path(), std::string("ffmpeg -nostdin -v error -y -i upright.mp4 -c copy "
                                                               "-metadata:s:v:0 rotate=") + angle + " turned.mp4 && "
                                                   "ffmpeg -nostdin -v error -y -i turned.mp4 -frames:v 1 shown.png"));
        const Taken taken = TakePart(dir.File("turned.mp4"), VideoPart{0, 1, 0});
        ASSERT_EQ(taken.images.size(), 1u) << DescribePictureStatus(taken.status);
        EXPECT_LE(MeanDifference(taken.images[0], wxImage(dir.File("shown.png"))), 3);
    }

    ASSERT_TRUE(MakeClip(dir, "wide.mp4", GreyRamp(64, 48, 10, 1) + ",setsar=2/1", "-c:v libx264"));
    VideoInfo info;
    ASSERT_TRUE(ProbeVideo(dir.File("wide.mp4"), info).IsOk());
    EXPECT_EQ(std::make_tuple(info.size, info.codedSize, info.aspectNum, info.aspectDen),
              std::make_tuple(wxSize(128, 48), wxSize(64, 48), 2, 1));
    EXPECT_EQ(TakePart(dir.File("wide.mp4"), VideoPart{0, 1, 0}).images.at(0).GetSize(), wxSize(128, 48));

    // Ten frames a tenth of a second apart, then one every half second.
    ASSERT_TRUE(MakeClip(dir, "variable.mkv", GreyRamp(64, 48, 10, 2) + ",setpts='if(lt(N,10),N,10+(N-10)*5)'",
                         "-fps_mode passthrough -c:v libx264"));
    EXPECT_EQ(FramesAt(dir.File("variable.mkv"), {950000, 1000000, 1499999, 1500000, 4900000, 5400000}),
              (std::vector<int>{9, 10, 10, 11, 17, 18}));
    EXPECT_EQ(TakePart(dir.File("variable.mkv"), VideoPart{0, -1, 2}).frames,
              (std::vector<int>{0, 5, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
}

// Frames only before a break, no hang, nothing on the terminal, no stale memory in the pixels.
TEST(VideoClips, DamagedClipsGiveTheirReasonAndNothingElse)
{
    TempDir dir;
    const std::string ramp = GreyRamp(64, 48, 10, 4);
    ASSERT_TRUE(MakeClip(dir, "fast.mp4", ramp, "-c:v libx264 -movflags +faststart"));
    ASSERT_TRUE(MakeClip(dir, "plain.mp4", ramp, "-c:v libx264"));
    ASSERT_TRUE(MakeClip(dir, "cut.webm", ramp, "-c:v libvpx-vp9"));
    ASSERT_TRUE(MakeClip(dir, "sound.m4a", "sine=d=1", "-c:a aac"));
    ASSERT_TRUE(MakeClip(dir, "unsized.mkv", GreyRamp(64, 48, 10, 1), "-c:v libx264 -live 1")); // no length given
    ASSERT_TRUE(MakeClip(dir, "huge.avi", GreyRamp(64, 48, 10, 1), "-c:v mjpeg"));
    // Both sizes of the AVI headers (main header, stream format) claim 100000.
    std::string huge = testsupport::ReadBytes(dir.File("huge.avi"));
    for (const auto& [chunk, offset] : {std::make_pair("avih", 32), std::make_pair("strf", 4)})
        huge.replace(huge.find(chunk) + 8 + offset, 8, std::string("\xA0\x86\x01\0\xA0\x86\x01\0", 8));
    testsupport::WriteBytes(dir.File("huge.avi"), huge);
    testsupport::WriteBytes(dir.File("zero.mp4"), "");
    testsupport::WriteBytes(dir.File("text.mkv"), "a clip in name only");
    ASSERT_EQ(mkfifo(dir.File("pipe.mkv").fn_str(), 0600), 0);
    struct Case { std::string name; std::string says; int frameSeconds = 10; std::int64_t start = 0; };
    std::vector<Case> cases = {
        {"zero.mp4", "empty file"},
        {"text.mkv", "not a picture or video clip (PNG, JPEG, BMP, GIF, MP4, MOV, MKV, WebM or AVI)"},
        {"sound.m4a", "no video stream"},
        {"huge.avi", "too large: 100000 x 100000 exceeds 64 megapixels"},
        {"pipe.mkv", "not a regular file"},
        {"fast.mp4", "decoding took too long", 0},
        {"unsized.mkv", "no usable frame", 10, 100 * kMicroseconds},
    };
    for (const char* name : {"fast.mp4", "plain.mp4", "cut.webm"})
    {
        const std::string bytes = testsupport::ReadBytes(dir.File(name));
        for (const int percent : {5, 30, 60, 90})
        {
            const std::string cut = std::to_string(percent) + name;
            testsupport::WriteBytes(dir.File(cut), bytes.substr(0, bytes.size() * percent / 100));
            cases.push_back({cut, ""});
        }
    }
    // A clip still being written: the reader stops where the file ended ('q' stops ffmpeg).
    std::FILE* writer = popen(("exec ffmpeg -v quiet -re -f lavfi -i testsrc=s=64x48:r=10 -t 300 -c:v libx264 -g 5 "
                               "-flush_packets 1 -f matroska '" + dir.File("endless.mkv").ToStdString() + "'").c_str(),
                              "w");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (testsupport::ReadBytes(dir.File("endless.mkv")).size() < 8000 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    cases.push_back({"endless.mkv", ""});

    testing::internal::CaptureStderr();  // at the descriptor, so the libraries' messages too
    std::string files;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        VideoLimits limits;
        limits.frameSeconds = c.frameSeconds;
        const Taken taken = TakePart(dir.File(c.name), VideoPart{c.start, -1, 0}, limits);
        const std::string says(DescribePictureStatus(taken.status).utf8_str());
        const bool reason = c.says.empty() ? says == "truncated" || says.rfind("damaged: ", 0) == 0 : says == c.says;
        EXPECT_TRUE(reason || (c.says.empty() && taken.status.IsOk())) << says;
        EXPECT_EQ(taken.status.IsOk(), !taken.frames.empty()) << says;
        if (c.name != "pipe.mkv") // the replay reads the bytes itself
            files += " '" + dir.File(c.name).ToStdString() + "'";
    }
    std::fputc('q', writer);
    pclose(writer);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    const std::string replay = std::string(GLOAMER_STAGE_DIR) + "/bin/video_fuzz_replay" + files;
    const std::string plain = testsupport::CommandOutput("env -u MALLOC_PERTURB_ " + replay + " 2>&1");
    EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), static_cast<long>(cases.size()) - 1);
    for (const char* perturb : {"85", "170"})
        EXPECT_EQ(testsupport::CommandOutput(std::string("MALLOC_PERTURB_=") + perturb + " " + replay + " 2>&1"), plain)
            << perturb;
}

TEST(VideoClips, TimesPartsAndFrameReferences)
{
    const struct { const char* text; std::int64_t microseconds; } times[] = {
        {"75", 75000000}, {"1:15.5", 75500000}, {"0:01:15.25", 75250000}, {".5", 500000}, {"2.", 2000000},
        {"0.000001", 1}, {"1:60", -1}, {"1.2345678", -1}, {"-1", -1}, {".", -1}, {"", -1}, {"99999999999", -1},
    };
    for (const auto& t : times)
    {
        std::int64_t read = -1;
        EXPECT_EQ(ParseVideoTime(t.text, read) ? read : -1, t.microseconds) << t.text;
    }
    EXPECT_EQ(FormatVideoSeconds(75500000), "75.5");
    EXPECT_EQ(FormatVideoClock(75460000), "1:15.5");
    EXPECT_EQ(FormatVideoClock(3725000000), "1:02:05.0");

    const struct { VideoPart part; std::int64_t count; } parts[] = {
        {{0, 10000000, 10}, 100}, {{0, 1000000, 3}, 3}, {{500000, 500000, 10}, 0}, {{0, -1, 10}, -1},
        {{0, 1000001, 10}, 11}, {{1, 1000000, 10}, 10},
    };
    for (const auto& p : parts)
        EXPECT_EQ(CountVideoPartFrames(p.part), p.count) << p.part.start << " " << p.part.end << " " << p.part.fps;
    EXPECT_EQ(SettleVideoPart(VideoPart{0, 99000000, 0}, 29.97, 5000000).end, 5000000);
    EXPECT_DOUBLE_EQ(SettleVideoPart(VideoPart(), 29.97, -1).fps, 10);
    EXPECT_EQ(std::make_tuple(DelayForVideoRate(3), DelayForVideoRate(10), DelayForVideoRate(0.5)),
              std::make_tuple(33, 10, 200));

    // A reference reads back to its clip and time; a file of that very name wins.
    TempDir dir;
    testsupport::WriteBytes(dir.File("trip.mp4"), "x");
    testsupport::WriteBytes(dir.File("odd.mp4#t=3"), "x");
    testsupport::WriteBytes(dir.File("anim.gif"), "x");
    const wxString reference = MakeClipFrameReference(dir.File("trip.mp4"), 12500000);
    EXPECT_EQ(reference, dir.File("trip.mp4#t=12.5"));
    const struct { wxString path; wxString file; int gifFrame; std::int64_t clipTime; bool found; } sources[] = {
        {reference, dir.File("trip.mp4"), -1, 12500000, true},
        {dir.File("odd.mp4#t=3"), dir.File("odd.mp4#t=3"), -1, -1, true},
        {dir.File("anim.gif_123456789"), dir.File("anim.gif"), 123456789, -1, true},  // the longest kept
        {dir.File("anim.gif_1234567890"), "", -1, -1, false},
        {dir.File("trip.mp4#t=soon"), "", -1, -1, false},
        {dir.File("gone.mp4#t=1"), "", -1, -1, false},
    };
    for (const auto& s : sources)
    {
        FrameSource source;
        EXPECT_EQ(ResolveFrameSource(s.path, source), s.found) << s.path;
        EXPECT_EQ(std::make_tuple(source.file, source.gifFrame, source.clipTime),
                  std::make_tuple(s.file, s.gifFrame, s.clipTime)) << s.path;
    }
}
