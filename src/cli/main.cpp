// Entry of gloamer-cli, the command-line encoder: base library only, so it runs
// without a display.
#include "cli/cliencoder.h"

#include <wx/image.h>
#include <wx/init.h>

#include <clocale>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <iostream>
#include <vector>

namespace
{
// Every frame passes through buffers of one size (decoded, composed, reduced).
// By default glibc maps each buffer above its threshold afresh and unmaps it
// on release, so every frame pays for page faults on new memory; keeping them
// in the heap lets the next frame reuse the same pages.
void KeepFrameBuffersInHeap()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}
} // namespace

int main(int argc, char** argv)
{
    KeepFrameBuffersInHeap();
    std::setlocale(LC_ALL, "");  // paths and messages in the user's encoding
    wxSetAssertHandler(nullptr);
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk())
    {
        std::cerr << "gloamer-cli: cannot initialise the toolkit" << std::endl;
        return 1;
    }
    wxInitAllImageHandlers();

    std::vector<wxString> args;
    for (int i = 1; i < argc; ++i)
    {
        wxString arg(argv[i], wxConvLibc);
        if (arg.empty() && argv[i][0] != '\0')
            arg = wxString::FromUTF8(argv[i]);
        args.push_back(arg);
    }
    return RunCliEncoder(args, std::cout, std::cerr);
}
