// The generated corpus through the reader and through the fuzz entry's replay.
#include "support/testsupport.h"

#include "picture/picturereader.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using testsupport::CommandOutput;

// The replay prints the same pixels whatever fresh memory holds.
TEST(PictureCorpus, EveryFileGivesFramesOrOneClearError)
{
    testsupport::TempDir dir;
    const std::string bin = std::string(GLOAMER_STAGE_DIR) + "/bin/";
    ASSERT_TRUE(testsupport::RunIn(dir.Path(), bin + "make_picture_corpus ."));
    std::map<std::string, PictureStatus> status;
    std::map<std::string, std::vector<wxImage>> read;
    for (const auto& file : std::filesystem::directory_iterator(dir.Path().ToStdString()))
    {
        const std::string name = file.path().filename();
        SCOPED_TRACE(name);
        status[name] = ReadPictureFrames(file.path().string(), read[name]);
        EXPECT_EQ(status[name].IsOk(), !read[name].empty());
        wxSize size;
        EXPECT_EQ(ProbePictureSize(file.path().string(), size).error == PictureError::TooLarge,
                  status[name].error == PictureError::TooLarge);
    }

    // A cut PNG or JPEG is Truncated or whole, never filled out with grey unless marked damaged.
    for (const auto& [name, frames] : read)
    {
        const std::string whole = name.substr(name.find('-') + 1);
        const bool jpeg = whole.find(".jpg") != std::string::npos;
        if (name.rfind("cut", 0) != 0 || (!jpeg && whole.find(".png") == std::string::npos) || std::stoi(name.substr(3)) < 8)
            continue;
        SCOPED_TRACE(name);
        const PictureStatus& s = status[name];
        const wxImage& picture = read[whole].at(0);
        const bool same = s.IsOk() && !s.damaged && frames.size() == 1 && frames[0].GetSize() == picture.GetSize() &&
                          std::equal(picture.GetData(), picture.GetData() + 3 * picture.GetWidth() * picture.GetHeight(),
                                     frames[0].GetData());
        const bool filledOut = jpeg && s.IsOk() && s.damaged && frames.size() == 1 && s.detail == "the data ends early";
        EXPECT_TRUE(same || filledOut || s.error == PictureError::Truncated) << DescribePictureStatus(s);
    }

    const std::map<std::string, std::string> expected = {
        {"photo.png", "read 1"}, {"photo.jpg", "read 1"}, {"photo.bmp", "read 1"}, {"anim.gif", "read 4"},
        {"cut0-photo.png", "empty file 0"}, {"cut40-photo.png", "truncated 0"}, {"cut40-photo.bmp", "truncated 0"},
        {"cut13-anim.gif", "truncated 0"}, {"codesize12.gif", "damaged: bad image data 0"},
        {"nodata.gif", "damaged: bad image data 0"},
        {"hugescreen-far.gif", "too large: 65001 x 65001 exceeds 64 megapixels 0"}, {"png-named.gif", "read 1"},
        {"text.jpg", "not a picture (PNG, JPEG, BMP or GIF) 0"}, {"empty.png", "empty file 0"},
        {"rle8-absolute.bmp", "read 1"}, {"huge.png", "too large: 40000 x 40000 exceeds 64 megapixels 0"},
        {"huge.jpg", "too large: 40000 x 40000 exceeds 64 megapixels 0"}};
    for (const auto& [name, says] : expected)
        EXPECT_EQ(std::string(DescribePictureStatus(status[name]).utf8_str()) + " " + std::to_string(read[name].size()),
                  says) << name;

    const std::string replay = bin + "picture_fuzz_replay '" + dir.Path().ToStdString() + "'/*";
    const std::string plain = CommandOutput("env -u MALLOC_PERTURB_ " + replay);
    EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), static_cast<long>(read.size()));
    for (const char* perturb : {"85", "170"})
        EXPECT_EQ(CommandOutput(std::string("MALLOC_PERTURB_=") + perturb + " " + replay), plain) << perturb;
}
