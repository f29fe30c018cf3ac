// Entry of gloamer-cli, the command-line encoder: base library only, so it runs
// without a display.
#include "cli/cliencoder.h"

#include <wx/image.h>
#include <wx/init.h>

#include <clocale>
#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
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
