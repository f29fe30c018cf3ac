// Writes the picture corpus (fuzzing seeds, and the corpus test's files) into a folder.
#include "gifcodec.h"
#include "picturefiles.h"
#include "testimages.h"

#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace
{
// File name (with the format's usual extension): bytes.
using Corpus = std::map<std::string, std::string>;

std::string Encode(const wxImage& image, wxBitmapType type)
{
    wxMemoryOutputStream out;
    image.SaveFile(out, type);
    std::string bytes(out.GetLength(), '\0');
    out.CopyTo(&bytes[0], bytes.size());
    return bytes;
}

std::string Be32(std::uint32_t v)
{
    return {char(v >> 24), char(v >> 16 & 0xFF), char(v >> 8 & 0xFF), char(v & 0xFF)};
}

void AddCuts(Corpus& corpus, const std::string& name, const std::string& bytes)
{
    corpus.emplace(name, bytes);
    // Every offset in the headers, then spread over the rest.
    const size_t step = bytes.size() / 40 + 1;
    for (size_t length = 0; length < bytes.size(); length += length < 64 ? 1 : step)
        corpus.emplace("cut" + std::to_string(length) + "-" + name, bytes.substr(0, length));
    // Only the end marker cut off.
    corpus.emplace("cut" + std::to_string(bytes.size() - 2) + "-" + name, bytes.substr(0, bytes.size() - 2));
}

Corpus Make()
{
    Corpus corpus;
    const wxImage photo = testimages::PhotoLike(48, 32, 5);
    const std::string png = Encode(photo, wxBITMAP_TYPE_PNG);
    AddCuts(corpus, "photo.png", png);
    const std::string jpeg = Encode(photo, wxBITMAP_TYPE_JPEG);
    AddCuts(corpus, "photo.jpg", jpeg);
    AddCuts(corpus, "photo.bmp", Encode(photo, wxBITMAP_TYPE_BMP));

    // An animation with every disposal method and transparency.
    const std::vector<giftest::Rgb> colours = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 255}};
    const std::string gif = giftest::MakeGif(
        8, 6, colours,
        {{0, 0, 8, 6, 1, -1, std::vector<unsigned char>(48, 1)}, {1, 1, 3, 2, 2, -1, std::vector<unsigned char>(6, 2)},
         {2, 2, 2, 2, 3, 0, {3, 0, 3, 3}}, {4, 0, 4, 6, 0, 4, std::vector<unsigned char>(24, 4)}});
    AddCuts(corpus, "anim.gif", gif);

    // Code size 12 in the first frame (byte after the image descriptor).
    std::string wide = gif;
    const size_t descriptor = wide.find('\x2C');
    wide[descriptor + 10] = 12;
    corpus.emplace("codesize12.gif", wide);
    // A frame whose data is missing: descriptor, then the trailer.
    corpus.emplace("nodata.gif", gif.substr(0, descriptor + 10) + '\x3B');
    // A huge logical screen around one 1 x 1 frame far from the origin.
    corpus.emplace("hugescreen-far.gif", giftest::MakeGif(65535, 65535, colours, {{65000, 65000, 1, 1, 0, -1, {1}}}));

    // A 4 x 2 RLE8 picture with an absolute run of 255 pixels.
    const std::string rle = std::string("\x00\xFF", 2) + std::string(256, '\x02') + std::string("\x00\x01", 2);
    const picturefiles::Bytes bmp =
        picturefiles::BuildBmp({4, 2, 8, 1, 40, {}, {0, 0xFF0000, 0xFF00}, {rle.begin(), rle.end()}});
    corpus.emplace("rle8-absolute.bmp", std::string(bmp.begin(), bmp.end()));

    // Files whose headers say 40000 x 40000.
    std::string hugePng = png;  // the sizes in IHDR, then its CRC
    hugePng.replace(16, 8, Be32(40000) + Be32(40000));
    hugePng.replace(29, 4, Be32(crc32(0, reinterpret_cast<const Bytef*>(&hugePng[12]), 17)));
    corpus.emplace("huge.png", hugePng);
    std::string hugeJpeg = jpeg;
    const size_t frameHeader = hugeJpeg.find("\xFF\xC0");  // the toolkit writes baseline JPEG
    hugeJpeg.replace(frameHeader + 5, 4, std::string("\x9C\x40\x9C\x40", 4));
    corpus.emplace("huge.jpg", hugeJpeg);

    corpus.emplace("empty.png", "");
    corpus.emplace("png-named.gif", png);
    corpus.emplace("text.jpg", "This is not a picture at all.\n");
    return corpus;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_picture_corpus FOLDER\n");
        return 2;
    }
    wxInitializer initializer;
    wxInitAllImageHandlers();
    for (const auto& [name, bytes] : Make())
        std::ofstream(std::string(argv[1]) + "/" + name, std::ios::binary) << bytes;
    return 0;
}
