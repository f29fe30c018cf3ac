#include "picturecorpus.h"

#include "gifcodec.h"
#include "testimages.h"

#include <wx/image.h>
#include <wx/mstream.h>

#include <cstdint>

namespace picturecorpus
{
namespace
{
std::string Encode(const wxImage& image, wxBitmapType type)
{
    wxMemoryOutputStream out;
    image.SaveFile(out, type);
    std::string bytes(out.GetLength(), '\0');
    out.CopyTo(&bytes[0], bytes.size());
    return bytes;
}

std::string Le16(int v)
{
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)};
}

std::string Le32(unsigned v)
{
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}

std::string Be32(unsigned v)
{
    const std::string le = Le32(v);
    return {le.rbegin(), le.rend()};
}

std::string PngChunk(const std::string& type, const std::string& data)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : type + data)
    {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320u : 0);
    }
    return Be32(static_cast<unsigned>(data.size())) + type + data + Be32(~crc);
}

// An 8-bit (RLE8) or 4-bit (RLE4) BMP of 4 x 2 around the given RLE data.
std::string RleBmp(int bits, const std::string& rle)
{
    const unsigned colours = 1u << bits;
    const unsigned offset = 14 + 40 + 4 * colours;
    std::string out = "BM" + Le32(offset + static_cast<unsigned>(rle.size())) + Le32(0) + Le32(offset);
    out += Le32(40) + Le32(4) + Le32(2) + Le16(1) + Le16(bits) + Le32(bits == 8 ? 1 : 2) +
           Le32(static_cast<unsigned>(rle.size())) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
    for (unsigned i = 0; i < colours; ++i)
        out += std::string{static_cast<char>(i * 40), static_cast<char>(255 - i * 40), static_cast<char>(i), 0};
    return out + rle;
}

void AddCuts(std::vector<Entry>& corpus, const std::string& name, const std::string& bytes)
{
    corpus.push_back({name, bytes});
    // Every offset in the headers, then spread over the rest.
    const size_t step = bytes.size() / 40 + 1;
    for (size_t length = 0; length < bytes.size(); length += length < 64 ? 1 : step)
        corpus.push_back({"cut" + std::to_string(length) + "-" + name, bytes.substr(0, length)});
    // Only the end marker cut off.
    corpus.push_back({"cut" + std::to_string(bytes.size() - 2) + "-" + name, bytes.substr(0, bytes.size() - 2)});
}
} // namespace

std::vector<Entry> Make()
{
    std::vector<Entry> corpus;
    const wxImage photo = testimages::PhotoLike(48, 32, 5);
    wxImage withAlpha = photo.Copy();
    withAlpha.InitAlpha();
    for (int x = 0; x < 48; ++x)
        withAlpha.SetAlpha(x, 3, static_cast<unsigned char>(x * 5));
    AddCuts(corpus, "photo.png", Encode(photo, wxBITMAP_TYPE_PNG));
    AddCuts(corpus, "alpha.png", Encode(withAlpha, wxBITMAP_TYPE_PNG));
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
    corpus.push_back({"codesize12.gif", wide});
    // A frame whose data is missing: descriptor, then the trailer.
    corpus.push_back({"nodata.gif", gif.substr(0, descriptor + 10) + '\x3B'});
    // A huge logical screen around one 1 x 1 frame, far from the origin and at it.
    corpus.push_back({"hugescreen.gif", giftest::MakeGif(40000, 40000, colours, {{0, 0, 1, 1, 0, -1, {1}}})});
    corpus.push_back({"hugescreen-far.gif",
                      giftest::MakeGif(65535, 65535, colours, {{65000, 65000, 1, 1, 0, -1, {1}}})});
    corpus.push_back({"zeroscreen.gif", giftest::MakeGif(0, 0, colours, {{2, 3, 2, 2, 0, -1, {1, 2, 3, 4}}})});
    // Many small frames on a mid-size screen.
    std::vector<giftest::Layer> many;
    for (int f = 0; f < 300; ++f)
        many.push_back({f % 200, f % 150, 4, 4, f % 4, f % 3 ? -1 : 0, std::vector<unsigned char>(16, f % 5)});
    corpus.push_back({"many.gif", giftest::MakeGif(320, 240, colours, many)});

    // RLE runs and deltas that leave the row or the picture; RLE without its end.
    corpus.push_back({"rle8-overrun.bmp", RleBmp(8, std::string("\xFF\x01\x00\x00\xFF\x02\x00\x01", 8))});
    corpus.push_back({"rle8-delta.bmp", RleBmp(8, std::string("\x02\x03\x00\x02\x7F\x7F\x05\x01\x00\x01", 10))});
    corpus.push_back({"rle8-absolute.bmp", RleBmp(8, std::string("\x00\xFF", 2) + std::string(256, '\x02') +
                                                        std::string("\x00\x01", 2))});
    corpus.push_back({"rle4-overrun.bmp", RleBmp(4, std::string("\xFF\x12\x00\x00\x00\xFE", 6) +
                                                       std::string(127, '\x34') + std::string("\x00\x00\x01", 3))});
    corpus.push_back({"rle8-unended.bmp", RleBmp(8, std::string("\x04\x01\x00\x00\x04\x02", 6))});

    // Small files whose headers say 40000 x 40000.
    corpus.push_back({"huge.png", "\x89PNG\r\n\x1a\n" +
                                      PngChunk("IHDR", Be32(40000) + Be32(40000) + std::string("\x08\x02\0\0\0", 5)) +
                                      PngChunk("IDAT", std::string("\x78\x9c\x03\0\0\0\0\x01", 8)) +
                                      PngChunk("IEND", "")});
    std::string hugeJpeg = jpeg;
    const size_t frameHeader = hugeJpeg.find("\xFF\xC0");  // the toolkit writes baseline JPEG
    hugeJpeg.replace(frameHeader + 5, 4, std::string("\x9C\x40\x9C\x40", 4));
    corpus.push_back({"huge.jpg", hugeJpeg});

    corpus.push_back({"empty.png", ""});
    corpus.push_back({"png-named.gif", Encode(photo, wxBITMAP_TYPE_PNG)});
    corpus.push_back({"text.jpg", "This is not a picture at all.\n"});
    return corpus;
}
} // namespace picturecorpus
