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
    wxLogNull quiet; // failures are reported through `error`
    OutputFile output;
    if (!output.Open(path, error))
        return false;
    wxFileOutputStream stream(output.File());
    const int count = static_cast<int>(frames.size());
    {
        AnimationEncoder encoder(stream, size, delay * 10, options);
        encoder.SetProgress([&](int done) {
            if (done < count && progress)
                progress(100 * done / count);
        });
        for (wxImage& frame : frames)
        {
            if (!encoder.Add(frame))
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
