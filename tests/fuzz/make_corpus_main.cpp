// Writes the generated corpus into a folder, as seeds for a fuzzing run.
#include "picturecorpus.h"

#include <wx/image.h>
#include <wx/init.h>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_picture_corpus FOLDER\n");
        return 2;
    }
    wxInitializer initializer;
    wxInitAllImageHandlers();
    for (const picturecorpus::Entry& entry : picturecorpus::Make())
        std::ofstream(std::string(argv[1]) + "/" + entry.name, std::ios::binary) << entry.bytes;
    return 0;
}
