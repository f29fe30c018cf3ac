#include "testimages.h"

#include <wx/image.h>
#include <wx/palette.h>

#include <cmath>

namespace testimages
{
wxImage PhotoLike(int width, int height, unsigned seed)
{
    wxImage image(width, height, false);
    unsigned char* data = image.GetData();
    Random random(seed);
    const double phase = random.Below(628) / 100.0;
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x, data += 3)
        {
            const double u = static_cast<double>(x) / width;
            const double v = static_cast<double>(y) / height;
            const double base[3] = {
                120 + 100 * std::sin(3.1 * u + phase) * std::cos(2.3 * v),
                110 + 90 * std::cos(2.7 * v + phase * 0.5) + 30 * u,
                100 + 80 * std::sin(4.0 * (u + v) + phase * 1.5)};
            for (int c = 0; c < 3; ++c)
            {
                const int value = static_cast<int>(base[c]) + random.Below(25) - 12;
                data[c] = static_cast<unsigned char>(value < 0 ? 0 : value > 255 ? 255 : value);
            }
        }
    }
    return image;
}

wxImage PaletteImage(int width, int height, const std::vector<std::array<unsigned char, 3>>& palette,
                     const std::vector<int>& indices)
{
    wxImage image(width, height, false);
    unsigned char* data = image.GetData();
    for (int p = 0; p < width * height; ++p)
    {
        const auto& colour = palette[indices[p]];
        data[3 * p] = colour[0];
        data[3 * p + 1] = colour[1];
        data[3 * p + 2] = colour[2];
    }
    std::vector<unsigned char> r, g, b;
    for (const auto& colour : palette)
    {
        r.push_back(colour[0]);
        g.push_back(colour[1]);
        b.push_back(colour[2]);
    }
    image.SetPalette(wxPalette(static_cast<int>(palette.size()), r.data(), g.data(), b.data()));
    return image;
}
} // namespace testimages
