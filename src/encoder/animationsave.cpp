#include "encoder/animationsave.h"

#include "encoder/animationencoder.h"
#include "encoder/outputfile.h"

#include <wx/log.h>
#include <wx/wfstream.h>

wxImage MakeSaveView(const wxImage& image)
{
    if (!image.IsOk())
        return wxImage();
    wxImage view(image.GetWidth(), image.GetHeight(), image.GetData(), image.HasAlpha() ? image.GetAlpha() : nullptr,
                 true);
    if (image.HasMask())
        view.SetMaskColour(image.GetMaskRed(), image.GetMaskGreen(), image.GetMaskBlue());
    return view;
}

bool SaveAnimationFile(const wxString& path, std::vector<wxImage>& frames, const wxSize& size, int delay,
                       const std::function<void(int percent)>& progress, wxString& error,
                       const GifEncodeOptions& options)
{
    return SaveAnimationFile(
        path, static_cast<int>(frames.size()), [&](int index) {
            // Handed over whole: the encoder may be the only holder.
            wxImage picture = frames[index];
            frames[index] = wxImage();
            return picture;
        }, size, delay,
        progress, error, options);
}

bool SaveAnimationFile(const wxString& path, int count, const std::function<wxImage(int index)>& frame,
                       const wxSize& size, int delay, const std::function<void(int percent)>& progress,
                       wxString& error, const GifEncodeOptions& options)
{
    wxLogNull quiet; // failures are reported through `error`
    OutputFile output;
    if (!output.Open(path, error))
        return false;
    wxFileOutputStream stream(output.File());
    {
        AnimationEncoder encoder(stream, size, delay * 10, options);
        encoder.SetProgress([&](int done) {
            if (done < count && progress)
                progress(100 * done / count);
        });
        for (int i = 0; i < count; ++i)
        {
            wxImage picture = frame(i);
            if (!encoder.Add(picture))
                break;
        }
        if (!encoder.Finish() || !stream.IsOk())
        {
            error = encoder.GetWrittenCount() == 0 && !encoder.IsBroken()
                        ? wxString("no frame could be encoded")
                        : wxString::Format("cannot write \"%s\": writing failed (disk full?)", path);
            return false;
        }
    }
    return output.Commit(error);
}

wxString WithGifExtension(const wxString& path)
{
    return path.EndsWith(".gif") ? path : path + ".gif";
}
