#include "cli/clioptions.h"

namespace
{
const long kMaxGifValue = 65535;  // sizes and delays are 16-bit in the file

// Decimal digits only, within [low, high].
bool ParseNumber(const wxString& text, long low, long& value, long high = kMaxGifValue)
{
    if (text.empty() || text.length() > 6)
        return false;
    for (wxUniChar c : text)
    {
        if (c < '0' || c > '9')
            return false;
    }
    if (!text.ToLong(&value))
        return false;
    return value >= low && value <= high;
}

bool ParseSize(const wxString& text, long& width, long& height)
{
    const int cross = text.Find('x');
    if (cross == wxNOT_FOUND)
        return false;
    return ParseNumber(text.Left(cross), 1, width) && ParseNumber(text.Mid(cross + 1), 1, height);
}

// "--name VALUE" or "--name=VALUE"; advances i past what it used.
bool TakeValue(const std::vector<wxString>& args, size_t& i, const wxString& name, wxString& value,
               bool& matched, wxString& error)
{
    const wxString& arg = args[i];
    matched = false;
    if (arg == name)
    {
        matched = true;
        if (i + 1 >= args.size())
        {
            error = wxString::Format("%s needs a value", name);
            return false;
        }
        value = args[++i];
        return true;
    }
    if (name.StartsWith("--") && arg.StartsWith(name + "=", &value))
    {
        matched = true;
        return true;
    }
    return true;
}

// "--name N" with N from low to high; `range` words the allowed values for
// the error.
bool TakeNumber(const std::vector<wxString>& args, size_t& i, const wxString& name, long low, long high,
                const char* range, int& target, bool& matched, wxString& error)
{
    wxString value;
    if (!TakeValue(args, i, name, value, matched, error))
        return false;
    if (!matched)
        return true;
    long number = 0;
    if (!ParseNumber(value, low, number, high))
    {
        error = wxString::Format("%s takes %s, not \"%s\"", name, range, value);
        return false;
    }
    target = static_cast<int>(number);
    return true;
}
} // namespace

bool ParseCliArguments(const std::vector<wxString>& args, CliOptions& options, wxString& error)
{
    options = CliOptions();
    bool onlyInputs = false;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const wxString& arg = args[i];
        if (onlyInputs || arg == "-" || !arg.StartsWith("-"))
        {
            options.inputs.push_back(arg);
            continue;
        }
        if (arg == "--")
        {
            onlyInputs = true;
            continue;
        }
        if (arg == "--help" || arg == "-h")
        {
            options.help = true;
            return true;
        }
        if (arg == "--optimize")
        {
            options.encode.optimize = true;
            continue;
        }
        if (arg == "--verbose" || arg == "-v")
        {
            options.verbose = true;
            continue;
        }

        wxString value;
        bool matched = false;
        if (!TakeNumber(args, i, "--delay", 0, kMaxGifValue, "hundredths of a second from 0 to 65535", options.delay,
                        matched, error))
            return false;
        if (matched)
        {
            options.hasDelay = true;
            continue;
        }
        if (!TakeValue(args, i, "--size", value, matched, error))
            return false;
        if (matched)
        {
            long width = 0, height = 0;
            if (!ParseSize(value, width, height))
            {
                error = wxString::Format("--size takes WIDTHxHEIGHT with each from 1 to 65535, not \"%s\"", value);
                return false;
            }
            options.hasSize = true;
            options.width = static_cast<int>(width);
            options.height = static_cast<int>(height);
            continue;
        }
        if (!TakeNumber(args, i, "--quality", 1, 100, "a number from 1 to 100", options.encode.quality, matched, error))
            return false;
        if (matched)
            continue;
        if (!TakeValue(args, i, "--quantizer", value, matched, error))
            return false;
        if (matched)
        {
            if (value == "imagequant")
                options.encode.quantizer = GifQuantizer::ImageQuant;
            else if (value == "toolkit")
                options.encode.quantizer = GifQuantizer::Toolkit;
            else
            {
                error = wxString::Format("--quantizer takes imagequant or toolkit, not \"%s\"", value);
                return false;
            }
            continue;
        }
        if (!TakeNumber(args, i, "--threads", 1, 64, "a number from 1 to 64", options.threads, matched, error))
            return false;
        if (matched)
            continue;
        if (!TakeValue(args, i, "--project", value, matched, error))
            return false;
        if (matched)
        {
            options.project = value;
            continue;
        }
        if (!TakeValue(args, i, "-o", value, matched, error))
            return false;
        if (!matched && !TakeValue(args, i, "--output", value, matched, error))
            return false;
        if (matched)
        {
            if (value.empty())
            {
                error = "the output file name is empty";
                return false;
            }
            options.output = value;
            continue;
        }
        error = wxString::Format("unknown option \"%s\"", arg);
        return false;
    }

    if (options.output.empty())
    {
        error = "no output file given (-o OUT.gif)";
        return false;
    }
    if (!options.project.empty() && !options.inputs.empty())
    {
        error = "--project takes its frames from the project; give no input pictures with it";
        return false;
    }
    if (options.inputs.empty() && options.project.empty())
    {
        error = "no input pictures given";
        return false;
    }
    return true;
}

wxString GetCliUsage()
{
    return "Usage: gloamer-cli [--delay HUNDREDTHS] [--size WIDTHxHEIGHT] -o OUT.gif INPUT...\n"
           "       gloamer-cli --project FILE.xml [--delay ...] [--size ...] -o OUT.gif\n"
           "       (encoding options anywhere: --optimize --quality N --quantizer NAME ...)\n"
           "\n"
           "Writes the INPUT pictures, in the order given, as one animated GIF that\n"
           "loops forever. A path ending in \".gif\" contributes each of its frames, any\n"
           "other picture (PNG, JPEG, BMP, ...) one frame. Pictures larger than the\n"
           "output are shrunk with their aspect ratio kept, smaller ones are not\n"
           "enlarged; each is centred on black.\n"
           "\n"
           "  --delay HUNDREDTHS    how long each frame shows, in 1/100 s (default 10)\n"
           "  --size WIDTHxHEIGHT   output size in pixels (default: the size of the first\n"
           "                        frame wider or taller than every frame before it)\n"
           "  -o, --output OUT.gif  the file to write; it is only created or replaced\n"
           "                        when the whole animation was written, and an\n"
           "                        existing one keeps its permissions. A symbolic\n"
           "                        link is written through to the file it points\n"
           "                        to, and stays a link; a path that exists and is\n"
           "                        not a regular file (a folder, a device, ...) is\n"
           "                        refused\n"
           "  --project FILE.xml    the frames, delay and size of a project saved by the\n"
           "                        window program (--delay and --size still win);\n"
           "                        frames whose files are gone are left out\n"
           "  --optimize            store each frame as only what changed since the one\n"
           "                        before (cropped, unchanged pixels transparent): much\n"
           "                        smaller files for mostly still animations. At\n"
           "                        quality 100 every frame still shows exactly the same\n"
           "                        picture; below it, see --quality\n"
           "  --quality N           1 to 100 (default 100): lower gives smaller files.\n"
           "                        Alone, it lets frames of more than 256 colours use\n"
           "                        fewer colours and less dithering (frames of at most\n"
           "                        256 keep exactly their colours). With --optimize,\n"
           "                        one palette serves many frames and every pixel may\n"
           "                        be shown up to a distance from its picture that\n"
           "                        grows as N falls (about 5 levels at 90, 20 at 50)\n"
           "  --quantizer NAME      imagequant (default): exact colours for frames of at\n"
           "                        most 256, otherwise libimagequant with dithering;\n"
           "                        toolkit: the toolkit's quantizer, for comparison\n"
           "  --threads N           frames composed and reduced at once (default: one\n"
           "                        per core); the file is the same for any N\n"
           "  -v, --verbose         print frames, size and time at the end, also when\n"
           "                        standard error is not a terminal\n"
           "  -h, --help            show this text\n"
           "  --                    every later argument is an input, even one\n"
           "                        beginning with \"-\"\n"
           "\n"
           "Errors are reported in one line on standard error, with exit status 1\n"
           "(2 for a wrong command line).\n"
           "\n"
           "Example: gloamer-cli --delay 50 -o holiday.gif beach.jpg sunset.png logo.gif\n";
}
