#include "testimages.h"

#include <wx/image.h>
#include <wx/palette.h>

#include <algorithm>
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
            const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
            const double base[3] = {120 + 100 * std::sin(3.1 * u + phase) * std::cos(2.3 * v),
                                    110 + 90 * std::cos(2.7 * v + phase * 0.5) + 30 * u,
                                    100 + 80 * std::sin(4.0 * (u + v) + phase * 1.5)};
            for (int c = 0; c < 3; ++c)
            {
                const int value = static_cast<int>(base[c]) + random.Below(25) - 12;
                data[c] = static_cast<unsigned char>(std::clamp(value, 0, 255));
            }
        }
    }
    return image;
}

wxImage PaletteImage(int width, int height, const std::vector<std::array<unsigned char, 3>>& palette,
                     const std::vector<int>& indices)
{
    wxImage image(width, height, false);
    for (int p = 0; p < width * height; ++p)
        std::copy(palette[indices[p]].begin(), palette[indices[p]].end(), image.GetData() + 3 * p);
    std::vector<unsigned char> rgb[3];
    for (const auto& colour : palette)
        for (int c = 0; c < 3; ++c)
            rgb[c].push_back(colour[c]);
    image.SetPalette(wxPalette(static_cast<int>(palette.size()), rgb[0].data(), rgb[1].data(), rgb[2].data()));
    return image;
}
} // namespace testimages
