#include "app/startarguments.h"

#include "app/fatalsignal.h"

StartArguments ParseStartArguments(const std::vector<wxString>& args)
{
    StartArguments parsed;
    bool options = true;
    for (const wxString& arg : args)
    {
        if (options && arg == "--")
            options = false;
        else if (options && (arg == "-h" || arg == "--help"))
            parsed.help = true;
        else if (options && arg == "--version")
            parsed.version = true;
        else if (options && arg == kCrashReportOption)
            parsed.crashReport = true;
        else if (options && arg.length() > 1 && arg[0] == '-')
        {
            if (parsed.error.empty())
                parsed.error = wxString::Format("unknown option '%s'", arg);
        }
        else if (!arg.empty())
            parsed.files.Add(arg);
    }
    return parsed;
}

wxString StartUsageText()
{
    return "Usage: gloamer [FILE...]\n"
           "Opens pictures (PNG, JPEG, BMP, GIF) as frames, or one project file (.xml).\n"
           "  -h, --help     show this text\n"
           "      --version  show the version\n";
}
