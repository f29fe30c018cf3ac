// PSNR of decoded frames against their sources, for the encoder comparison.
// Frame i of the animation is DECODED_DIR/d%03d.ppm (as `convert -coalesce`
// writes them); the sources are given in order. Prints the mean and the worst
// PSNR over all frames in dB, a frame equal to its source counted as 99 dB;
// a missing or differently sized frame counts as 0 dB.
//
//   measure_psnr DECODED_DIR SOURCE...
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv)
{
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk() || argc < 3)
    {
        std::fprintf(stderr, "usage: measure_psnr DECODED_DIR SOURCE...\n");
        return 2;
    }
    wxInitAllImageHandlers();
    wxLogNull quiet;
    double sum = 0, worst = 99;
    const int frames = argc - 2;
    for (int i = 0; i < frames; ++i)
    {
        const wxImage source(argv[i + 2]);
        const wxImage decoded(wxString::Format("%s/d%03d.ppm", argv[1], i));
        double psnr = 0;
        if (source.IsOk() && decoded.IsOk() && source.GetSize() == decoded.GetSize())
        {
            const size_t values = 3 * static_cast<size_t>(source.GetWidth()) * source.GetHeight();
            const unsigned char* a = source.GetData();
            const unsigned char* b = decoded.GetData();
            double squares = 0;
            for (size_t v = 0; v < values; ++v)
                squares += double(a[v] - b[v]) * (a[v] - b[v]);
            psnr = squares == 0 ? 99 : std::min(99.0, 10 * std::log10(255.0 * 255.0 * values / squares));
        }
        sum += psnr;
        worst = std::min(worst, psnr);
    }
    std::printf("%.2f %.2f\n", sum / frames, worst);
    return 0;
}
