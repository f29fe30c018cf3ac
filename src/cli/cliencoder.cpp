#include "cli/cliencoder.h"

#include "cli/clioptions.h"
#include "window/gif_animationwriter.h"
#include "window/gif_colourreduce.h"
#include "window/gif_framecompose.h"
#include "window/imagefiles.h"
#include "window/outputsize.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/wfstream.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{
struct Frame
{
    wxImage image;
    wxString source;
};

std::string Utf8(const wxString& text)
{
    return std::string(text.utf8_str());
}

void Fail(std::ostream& err, const wxString& message)
{
    err << "gloamer-cli: " << Utf8(message) << std::endl;
}

// The temporary file beside the output; removed unless renamed into place.
class PendingFile
{
public:
    ~PendingFile()
    {
        m_file.Close();
        if (!m_path.empty())
            wxRemoveFile(m_path);
    }

    bool Create(const wxString& output)
    {
        const wxFileName target(output);
        const wxString folder = target.GetPath().empty() ? wxString(".") : target.GetPath();
        m_path = wxFileName::CreateTempFileName(folder + "/." + target.GetFullName() + ".", &m_file);
        if (m_path.empty() || !m_file.IsOpened())
            return false;
        // A temporary file is private; the result gets the usual mode.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(m_file.fd(), 0666 & ~mask);
        return true;
    }

    wxFile& File() { return m_file; }

    bool Commit(const wxString& output)
    {
        // On disk before it takes the output's name.
        if (!m_file.Flush() || !m_file.Close())
            return false;
        if (std::rename(m_path.fn_str(), output.fn_str()) != 0)
            return false;
        m_path.clear();
        return true;
    }

private:
    wxFile m_file;
    wxString m_path;
};

bool ReadInputs(const std::vector<wxString>& inputs, std::vector<Frame>& frames, std::ostream& err)
{
    for (const wxString& input : inputs)
    {
        std::vector<wxImage> images;
        switch (ReadPictureFrames(input, images))
        {
        case PictureReadResult::Ok:
            break;
        case PictureReadResult::Missing:
            Fail(err, wxString::Format("cannot find input \"%s\"", input));
            return false;
        case PictureReadResult::Unreadable:
            Fail(err, wxString::Format("cannot read input \"%s\": not a picture this program can decode", input));
            return false;
        case PictureReadResult::NoFrames:
            Fail(err, wxString::Format("input \"%s\" holds no usable frame", input));
            return false;
        }
        for (wxImage& image : images)
            frames.push_back(Frame{image, input});
    }
    return true;
}

int WriteAnimation(const CliOptions& options, std::vector<Frame>& frames, const wxSize& size,
                   std::ostream& err)
{
    const wxString& output = options.output;
    if (wxDirExists(output))
    {
        Fail(err, wxString::Format("cannot write \"%s\": it is a folder", output));
        return 1;
    }
    PendingFile pending;
    if (!pending.Create(output))
    {
        Fail(err, wxString::Format("cannot write \"%s\": %s", output, wxString(std::strerror(errno))));
        return 1;
    }

    wxFileOutputStream stream(pending.File());
    GifAnimationWriter writer(stream);
    for (size_t i = 0; i < frames.size(); ++i)
    {
        const wxImage composed = ComposeFrame(frames[i].image, size.x, size.y);
        frames[i].image = wxImage();  // no longer needed; keeps memory down
        const wxImage reduced = ReduceFrameColours(composed);
        if (writer.AddFrame(reduced, options.delay * 10))
            continue;
        if (writer.IsBroken())
        {
            Fail(err, wxString::Format("cannot write \"%s\": writing failed (disk full?)", output));
            return 1;
        }
        err << "gloamer-cli: warning: a frame of \"" << Utf8(frames[i].source)
            << "\" could not be encoded and was left out" << std::endl;
    }
    if (!writer.Finish())
    {
        if (writer.GetWrittenCount() == 0)
            Fail(err, "no usable frame: nothing was written");
        else
            Fail(err, wxString::Format("cannot write \"%s\": writing failed (disk full?)", output));
        return 1;
    }
    if (!stream.IsOk() || !pending.Commit(output))
    {
        Fail(err, wxString::Format("cannot write \"%s\": %s", output, wxString(std::strerror(errno))));
        return 1;
    }
    return 0;
}
} // namespace

int RunCliEncoder(const std::vector<wxString>& args, std::ostream& out, std::ostream& err)
{
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
    std::vector<Frame> frames;
    if (!ReadInputs(options.inputs, frames, err))
        return 1;

    wxSize size(options.width, options.height);
    if (!options.hasSize)
    {
        std::vector<wxSize> sizes;
        for (const Frame& frame : frames)
            sizes.push_back(frame.image.GetSize());
        size = DeriveOutputSize(sizes);
        if (size.x > 65535 || size.y > 65535)
        {
            Fail(err, wxString::Format("the frames are %d x %d pixels, larger than a GIF allows; "
                                       "choose a size with --size", size.x, size.y));
            return 1;
        }
    }
    return WriteAnimation(options, frames, size, err);
}
