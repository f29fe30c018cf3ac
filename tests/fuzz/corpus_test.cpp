// The generated corpus through the reader and through the fuzz entry's replay.
#include "picturecorpus.h"
#include "support/testsupport.h"

#include "picture/picturereader.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using testsupport::CommandOutput;
using testsupport::TempDir;
using testsupport::WriteBytes;

// Every corpus file ends in frames or one clear error, each kind in the error
// it must give, and the replay prints the same pixels whatever the allocator
// leaves in fresh memory. Sizes over the limit are refused by the probe too,
// from the header, before anything that large is made.
TEST(PictureCorpus, EveryFileGivesFramesOrOneClearError)
{
    TempDir dir;
    const std::vector<picturecorpus::Entry> corpus = picturecorpus::Make();
    std::string files;
    std::map<std::string, std::string> outcome;  // name: what the reader said, and how many frames
    std::map<std::string, std::vector<wxImage>> read;
    for (const picturecorpus::Entry& entry : corpus)
    {
        SCOPED_TRACE(entry.name);
        WriteBytes(dir.File(entry.name), entry.bytes);
        files += " '" + dir.File(entry.name).ToStdString() + "'";
        std::vector<wxImage>& frames = read[entry.name];
        const PictureStatus status = ReadPictureFrames(dir.File(entry.name), frames);
        EXPECT_EQ(status.IsOk(), !frames.empty());
        for (const wxImage& frame : frames)
            EXPECT_TRUE(frame.IsOk());
        outcome[entry.name] = std::string(DescribePictureStatus(status).utf8_str()) + " " + std::to_string(frames.size());
        wxSize size;
        EXPECT_EQ(ProbePictureSize(dir.File(entry.name), size).error == PictureError::TooLarge,
                  status.error == PictureError::TooLarge);

        // Cut past its signature, a PNG or JPEG is Truncated or (cut only in
        // its end) the whole picture, never one filled out with grey; a JPEG
        // cut inside its pixels comes filled out, but says it is damaged.
        const size_t dash = entry.name.find('-');
        const std::string whole = entry.name.substr(dash + 1);
        if (entry.name.rfind("cut", 0) != 0 || whole.find(".bmp") != std::string::npos ||
            whole.find(".gif") != std::string::npos || entry.bytes.size() < 8)
            continue;
        const wxImage& picture = read[whole].at(0);
        const bool same = status.IsOk() && !status.damaged && frames.size() == 1 &&
                          frames[0].GetSize() == picture.GetSize() &&
                          std::equal(picture.GetData(), picture.GetData() + 3 * picture.GetWidth() * picture.GetHeight(),
                                     frames[0].GetData());
        const bool filledOut = whole.find(".jpg") != std::string::npos && status.IsOk() && status.damaged &&
                               frames.size() == 1 && status.detail == "the data ends early";
        EXPECT_TRUE(same || filledOut || status.error == PictureError::Truncated) << DescribePictureStatus(status);
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
        {"rle4-overrun.bmp", "read 1"}, {"huge.png", "too large: 40000 x 40000 exceeds 64 megapixels 0"},
        {"huge.jpg", "too large: 40000 x 40000 exceeds 64 megapixels 0"}};
    for (const auto& [name, says] : expected)
        EXPECT_EQ(outcome[name], says) << name;

    const std::string replay = std::string(GLOAMER_STAGE_DIR) + "/bin/picture_fuzz_replay" + files;
    const std::string plain = CommandOutput("env -u MALLOC_PERTURB_ " + replay);
    EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), static_cast<long>(corpus.size()));
    for (const char* perturb : {"85", "170"})
        EXPECT_EQ(CommandOutput(std::string("MALLOC_PERTURB_=") + perturb + " " + replay), plain) << perturb;
}
