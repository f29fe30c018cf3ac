#include "cli/cliencoder.h"

#include "cli/clioptions.h"
#include "picture/framereference.h"
#include "picture/picturereader.h"
#include "picture/videoreader.h"
#include "picture/videotime.h"
#include "project/projectfile.h"
#include "encoder/animationencoder.h"
#include "encoder/framecompose.h"
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

// What an input reads: one frame of a GIF or of a clip when it is a frame
// reference ("anim.gif_3", "trip.mp4#t=12.5") and names no file of its own,
// otherwise the input itself: a picture with whatever frames its name gives,
// or a part of a clip, as its content says.
struct InputSource
{
    wxString file;
    int gifFrame = -1;
    std::int64_t clipTime = -1;
    bool clip = false; // the whole file is a clip
    VideoInfo video;   // of a clip, or of a clip frame's clip
    wxSize size;       // of its frames as shown
};

InputSource ResolveInput(const wxString& input)
{
    FrameSource source;
    InputSource resolved;
    resolved.file = input;
    if (ResolveFrameSource(input, source) && (source.clipTime >= 0 || (source.gifFrame >= 0 && IsGifPath(source.file))))
    {
        resolved.file = source.file;
        resolved.gifFrame = source.gifFrame;
        resolved.clipTime = source.clipTime;
    }
    return resolved;
}

// The size of every input's frames, from the file headers alone, so that the
// output size is known before any frame is decoded.
bool ProbeInputs(const std::vector<wxString>& inputs, std::vector<InputSource>& sources, std::ostream& err)
{
    for (const wxString& input : inputs)
    {
        InputSource source = ResolveInput(input);
        PictureStatus status;
        if (source.clipTime < 0)
            status = ProbePictureSize(source.file, source.size);
        if (source.clipTime >= 0 || (status.error == PictureError::NotAPicture && source.gifFrame < 0))
        {
            source.clip = source.clipTime < 0;
            status = ProbeVideo(source.file, source.video);
            source.size = source.video.size;
        }
        if (!status.IsOk())
        {
            Fail(err, DescribeInputFailure(input, status));
            return false;
        }
        if (source.clipTime >= 0 && source.video.duration >= 0 && source.clipTime >= source.video.duration)
        {
            Fail(err, wxString::Format("no frame at \"%s\": the clip is %s long", input,
                                       FormatVideoClock(source.video.duration)));
            return false;
        }
        sources.push_back(source);
    }
    return true;
}

// Every clip is taken at one rate: --fps, or the first clip's own (at most
// 10); the delay follows it unless one is given. A part outside a clip, or
// one of more frames than allowed, is refused before anything is written.
bool SettleClips(CliOptions& options, const std::vector<InputSource>& sources, std::ostream& err)
{
    const auto firstClip =
        std::find_if(sources.begin(), sources.end(), [](const InputSource& source) { return source.clip; });
    if (firstClip == sources.end())
        return true;
    if (!(options.part.fps > 0))
        options.part.fps = DefaultVideoRate(firstClip->video.frameRate);
    if (!options.hasDelay)
        options.delay = DelayForVideoRate(options.part.fps);
    for (size_t i = 0; i < sources.size(); ++i)
    {
        if (!sources[i].clip)
            continue;
        const std::int64_t count = CountVideoFrames(sources[i].video, options.part);
        if (count == 0)
        {
            Fail(err, wxString::Format("nothing to take from \"%s\": it is %s long and the part starts at %s",
                                       options.inputs[i], FormatVideoClock(sources[i].video.duration),
                                       FormatVideoClock(options.part.start)));
            return false;
        }
        if (count > options.maxFrames)
        {
            Fail(err, wxString::Format("\"%s\" would give %lld frames at %g per second, more than %d; take a "
                                       "shorter part (--start, --end) or fewer frames (--fps), or allow them "
                                       "with --max-frames %lld",
                                       options.inputs[i], static_cast<long long>(count), options.part.fps,
                                       options.maxFrames, static_cast<long long>(count)));
            return false;
        }
    }
    return true;
}

// Decodes the frames one after another while the encoder composes, reduces
// and writes them on every core: memory stays the same however many frames
// the inputs hold.
int WriteAnimation(const CliOptions& options, const std::vector<InputSource>& sources, const wxSize& size,
                   std::ostream& err, int& frames, long long& written)
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
    for (size_t i = 0; i < sources.size(); ++i)
    {
        const wxString& input = options.inputs[i];
        const InputSource& source = sources[i];
        const wxSize fitted = FitPictureRect(source.size, size).GetSize();
        const VideoFrameSink addFrame = [&](wxImage& picture, std::int64_t) { return writer.Add(picture); };
        PictureStatus status;
        if (source.clip)
        {
            VideoLimits limits;
            limits.maxFrames = options.maxFrames;
            int given = 0;
            status = ReadVideoPart(
                source.file, options.part, fitted,
                [&](wxImage& picture, std::int64_t) {
                    ++given;
                    return writer.Add(picture);
                },
                limits);
            if (status.error == PictureError::TooLarge && given >= options.maxFrames)
            {
                Fail(err, wxString::Format("\"%s\" gives more than %d frames; allow more with --max-frames N",
                                           input, options.maxFrames));
                return 1;
            }
        }
        else if (source.clipTime >= 0)
        {
            // Frames of one clip in a row, later and later, are read in one pass.
            std::vector<std::int64_t> times{source.clipTime};
            while (i + 1 < sources.size() && sources[i + 1].clipTime >= times.back() &&
                   sources[i + 1].file == source.file)
                times.push_back(sources[++i].clipTime);
            VideoLimits limits;
            limits.maxFrames = static_cast<std::int64_t>(times.size());
            status = ReadVideoFramesAt(source.file, times, fitted, addFrame, limits);
        }
        else if (source.gifFrame >= 0)
        {
            wxImage picture;
            status = ReadPictureFrame(source.file, source.gifFrame, picture);
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
        if (status.damaged)
            err << "gloamer-cli: warning: \"" << Utf8(input) << "\" is damaged (" << Utf8(status.detail)
                << "); it was used as the decoder could read it" << std::endl;
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
    std::vector<InputSource> sources;
    if (!ProbeInputs(options.inputs, sources, err) || !SettleClips(options, sources, err))
        return 1;
    std::vector<wxSize> sizes;
    for (const InputSource& source : sources)
        sizes.push_back(source.size);

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
    const int status = WriteAnimation(options, sources, size, err, frames, written);
    if (status == 0 && (options.verbose || (&err == &std::cerr && isatty(STDERR_FILENO))))
        PrintSummary(err, frames, written,
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return status;
}
