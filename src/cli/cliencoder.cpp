#include "cli/cliencoder.h"

#include "cli/clioptions.h"
#include "picture/framereference.h"
#include "picture/picturereader.h"
#include "project/projectfile.h"
#include "encoder/animationencoder.h"
#include "encoder/outputfile.h"
#include "encoder/outputsize.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/wfstream.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace
{
std::string Utf8(const wxString& text)
{
    return std::string(text.utf8_str());
}

void Fail(std::ostream& err, const wxString& message)
{
    err << "gloamer-cli: " << Utf8(message) << std::endl;
}

// One line for a picture that cannot be used.
wxString DescribeInputFailure(const wxString& input, const PictureStatus& status)
{
    if (status.error == PictureError::Missing)
        return wxString::Format("cannot find input \"%s\"", input);
    return wxString::Format("cannot read input \"%s\": %s", input, DescribePictureStatus(status));
}

// What an input reads: one frame of a GIF when it is a frame reference
// ("anim.gif_3") and names no file of its own, otherwise the input itself
// with whatever frames its name gives (frame -1).
struct InputSource
{
    wxString file;
    int frame = -1;
};

InputSource ResolveInput(const wxString& input)
{
    wxString file;
    int index = -1;
    if (ResolvePicturePath(input, file, index) && index >= 0 && IsGifPath(file))
        return {file, index};
    return {input, -1};
}

// The size of every input's frames, from the file headers alone, so that the
// output size is known before any frame is decoded.
bool ProbeInputs(const std::vector<wxString>& inputs, std::vector<wxSize>& sizes, std::ostream& err)
{
    for (const wxString& input : inputs)
    {
        wxSize size;
        const PictureStatus status = ProbePictureSize(ResolveInput(input).file, size);
        if (!status.IsOk())
        {
            Fail(err, DescribeInputFailure(input, status));
            return false;
        }
        sizes.push_back(size);
    }
    return true;
}

// Decodes the frames one after another while the encoder composes, reduces
// and writes them on every core: memory stays the same however many frames
// the inputs hold.
int WriteAnimation(const CliOptions& options, const wxSize& size, std::ostream& err, int& frames,
                   long long& written)
{
    const wxString& output = options.output;
    const wxString writeFailed = wxString::Format("cannot write \"%s\": writing failed (disk full?)", output);
    OutputFile pending;
    wxString error;
    if (!pending.Open(output, error))
    {
        Fail(err, error);
        return 1;
    }

    wxFileOutputStream stream(pending.File());
    AnimationEncoder writer(stream, size, options.delay * 10, options.encode,
                            options.threads > 0 ? options.threads : AnimationEncoder::DefaultThreads());
    for (const wxString& input : options.inputs)
    {
        const InputSource source = ResolveInput(input);
        PictureStatus status;
        if (source.frame >= 0)
        {
            wxImage picture;
            status = ReadPictureFrame(source.file, source.frame, picture);
            if (status.IsOk())
                writer.Add(picture);
        }
        else
            status = ReadPictureFrames(source.file, [&](wxImage& picture) { return writer.Add(picture); });
        if (writer.IsBroken())
        {
            Fail(err, writeFailed);
            return 1;
        }
        if (!status.IsOk())
        {
            Fail(err, DescribeInputFailure(input, status));
            return 1;
        }
        if (status.cutShort)
            err << "gloamer-cli: warning: \"" << Utf8(input)
                << "\" is cut short; the frames before the break were used" << std::endl;
    }
    const bool complete = writer.Finish();
    if (writer.GetRefusedCount() > 0)
        err << "gloamer-cli: warning: " << writer.GetRefusedCount() << " frame(s) could not be encoded and were left out"
            << std::endl;
    if (!complete || !stream.IsOk())
    {
        Fail(err, !complete && writer.GetWrittenCount() == 0 ? wxString("no usable frame: nothing was written")
                                                              : writeFailed);
        return 1;
    }
    frames = writer.GetWrittenCount();
    written = stream.TellO();
    if (!pending.Commit(error))
    {
        Fail(err, error);
        return 1;
    }
    return 0;
}

// "gloamer-cli: 48 frames, 3.71 MB (3712345 bytes) in 1.05 s"
void PrintSummary(std::ostream& err, int frames, long long bytes, double seconds)
{
    std::ostringstream line;
    line << "gloamer-cli: " << frames << (frames == 1 ? " frame, " : " frames, ") << std::fixed
         << std::setprecision(bytes < 1000000 ? 1 : 2) << (bytes < 1000000 ? bytes / 1e3 : bytes / 1e6)
         << (bytes < 1000000 ? " kB (" : " MB (") << bytes << " bytes) in " << std::setprecision(2) << seconds
         << " s";
    err << line.str() << std::endl;
}
} // namespace

int RunCliEncoder(const std::vector<wxString>& args, std::ostream& out, std::ostream& err)
{
    const auto start = std::chrono::steady_clock::now();
    CliOptions options;
    wxString error;
    if (!ParseCliArguments(args, options, error))
    {
        Fail(err, error + " (see gloamer-cli --help)");
        return 2;
    }
    if (options.help)
    {
        out << Utf8(GetCliUsage());
        return 0;
    }

    wxLogNull quiet;  // the toolkit's own messages would repeat ours
    if (!options.project.empty())
    {
        ProjectContent project;
        const ProjectRead read = ReadProjectFile(options.project, project);
        if (read != ProjectRead::Ok)
        {
            Fail(err, wxString::Format("cannot read project \"%s\": %s", options.project, DescribeProjectRead(read)));
            return 1;
        }
        for (const wxString& path : UsableProjectPaths(project.paths))
            options.inputs.push_back(path);
        if (project.images != ProjectContent::Images::Listed || options.inputs.empty())
        {
            Fail(err, wxString::Format("project \"%s\" has no frame whose file can be found", options.project));
            return 1;
        }
        if (!options.hasDelay && project.hasDelay)
            options.delay = std::clamp(project.delay, 0, 65535);
        if (!options.hasSize && project.hasSize && project.width > 0 && project.height > 0 &&
            project.width <= 65535 && project.height <= 65535)
        {
            options.hasSize = true;
            options.width = project.width;
            options.height = project.height;
        }
    }
    std::vector<wxSize> sizes;
    if (!ProbeInputs(options.inputs, sizes, err))
        return 1;

    wxSize size(options.width, options.height);
    if (!options.hasSize)
    {
        size = DeriveOutputSize(sizes);
        if (size.x > 65535 || size.y > 65535)
        {
            Fail(err, wxString::Format("the frames are %d x %d pixels, larger than a GIF allows; "
                                       "choose a size with --size", size.x, size.y));
            return 1;
        }
    }
    int frames = 0;
    long long written = 0;
    const int status = WriteAnimation(options, size, err, frames, written);
    if (status == 0 && (options.verbose || (&err == &std::cerr && isatty(STDERR_FILENO))))
        PrintSummary(err, frames, written,
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return status;
}
