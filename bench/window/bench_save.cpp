// The window's save path without the window: the pictures are decoded with
// the picture reader, then written by exactly the function the save worker
// runs. Prints the seconds the save took (decoding not counted).
//
//   bench_save OUT.gif DELAY WIDTHxHEIGHT INPUT...
#include "picture/picturereader.h"
#include "encoder/animationsave.h"

#include <wx/image.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    wxInitializer initializer(argc, argv);
    int width = 0, height = 0;
    if (!initializer.IsOk() || argc < 5 || std::sscanf(argv[3], "%dx%d", &width, &height) != 2)
    {
        std::fprintf(stderr, "usage: bench_save OUT.gif DELAY WIDTHxHEIGHT INPUT...\n");
        return 2;
    }
    std::vector<wxImage> pictures(argc - 4), views;
    for (int i = 4; i < argc; ++i)
    {
        if (!ReadPictureFrame(argv[i], 0, pictures[i - 4]).IsOk())
            return 1;
        views.push_back(MakeSaveView(pictures[i - 4]));
    }
    const auto start = std::chrono::steady_clock::now();
    wxString error;
    if (!SaveAnimationFile(argv[1], views, wxSize(width, height), std::atoi(argv[2]), {}, error))
    {
        std::fprintf(stderr, "%s\n", static_cast<const char*>(error.utf8_str()));
        return 1;
    }
    std::printf("%.3f\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return 0;
}
