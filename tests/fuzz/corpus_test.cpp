// The generated corpus through the reader: every file ends in frames or one
// clear error, the hostile ones in the right error, and the pixels never
// depend on what the allocator left in memory.
#include "picturecorpus.h"
#include "support/testsupport.h"

#include "picture/picturereader.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using testsupport::TempDir;
using testsupport::WriteBytes;

using testsupport::CommandOutput;

// Every corpus file ends in frames or one clear error, each kind in the error
// it must give, and the replay prints the same pixels whatever the allocator
// leaves in fresh memory.
TEST(PictureCorpus, EveryFileGivesFramesOrOneClearError)
{
    TempDir dir;
    const std::vector<picturecorpus::Entry> corpus = picturecorpus::Make();
    std::string files;
    std::map<std::string, std::string> outcome;  // name: what the reader said, and how many frames
    for (const picturecorpus::Entry& entry : corpus)
    {
        WriteBytes(dir.File(entry.name), entry.bytes);
        files += " '" + dir.File(entry.name).ToStdString() + "'";
        std::vector<wxImage> frames;
        const PictureStatus status = ReadPictureFrames(dir.File(entry.name), frames);
        EXPECT_EQ(status.IsOk(), !frames.empty()) << entry.name;
        for (const wxImage& frame : frames)
            EXPECT_TRUE(frame.IsOk()) << entry.name;
        outcome[entry.name] = std::string(DescribePictureStatus(status).utf8_str()) + " " + std::to_string(frames.size());
    }

    const std::map<std::string, std::string> expected = {
        {"photo.png", "read 1"}, {"photo.jpg", "read 1"}, {"photo.bmp", "read 1"}, {"anim.gif", "read 4"},
        {"cut0-photo.png", "empty file 0"}, {"cut40-photo.png", "truncated 0"}, {"cut40-photo.bmp", "truncated 0"},
        {"cut13-anim.gif", "truncated 0"}, {"codesize12.gif", "damaged: bad image data 0"},
        {"nodata.gif", "damaged: bad image data 0"},
        {"hugescreen.gif", "read 1"}, // the frames' own extent stands in for the screen
        {"hugescreen-far.gif", "too large: 65001 x 65001 exceeds 64 megapixels 0"}, {"zeroscreen.gif", "read 1"},
        {"many.gif", "read 300"}, {"rle8-unended.bmp", "truncated 0"}, {"empty.png", "empty file 0"},
        {"png-named.gif", "read 1"}, {"text.jpg", "not a picture (PNG, JPEG, BMP or GIF) 0"},
        {"rle8-overrun.bmp", "read 1"}, {"rle8-delta.bmp", "read 1"}, {"rle8-absolute.bmp", "read 1"},
        {"rle4-overrun.bmp", "read 1"}};
    for (const auto& [name, says] : expected)
        EXPECT_EQ(outcome[name], says) << name;

    const std::string replay = std::string(GLOAMER_STAGE_DIR) + "/bin/picture_fuzz_replay" + files;
    const std::string plain = CommandOutput("env -u MALLOC_PERTURB_ " + replay);
    EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), static_cast<long>(corpus.size()));
    for (const char* perturb : {"85", "170"})
        EXPECT_EQ(CommandOutput(std::string("MALLOC_PERTURB_=") + perturb + " " + replay), plain) << perturb;
}
