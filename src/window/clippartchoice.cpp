#include "window/clippartchoice.h"

#include "picture/picturereader.h"
#include "picture/videoinfo.h"
#include "picture/videoreader.h"
#include "picture/videotime.h"

#include <wx/intl.h>

ClipPartChoice CheckClipPart(const VideoInfo& info, const wxString& start, const wxString& end, double fps)
{
    ClipPartChoice choice;
    VideoPart part;
    part.fps = fps;
    if (!(fps > 0))
    {
        choice.problem = _("Choose how many frames per second to take.");
        return choice;
    }
    if (!ParseVideoTime(start.Strip(wxString::both), part.start))
    {
        choice.problem = _("The start is not a time (seconds, or minutes:seconds).");
        return choice;
    }
    const wxString endText = end.Strip(wxString::both);
    if (!endText.empty() && !ParseVideoTime(endText, part.end))
    {
        choice.problem = _("The end is not a time (seconds, or minutes:seconds).");
        return choice;
    }
    if (info.duration >= 0 && part.start >= info.duration)
    {
        choice.problem = wxString::Format(_("The start lies beyond the clip's end (%s)."),
                                          FormatVideoClock(info.duration));
        return choice;
    }
    if (part.end >= 0 && part.end <= part.start)
    {
        choice.problem = _("The end must come after the start.");
        return choice;
    }
    choice.part = SettleVideoPart(part, info.frameRate, info.duration);
    choice.frames = CountVideoPartFrames(choice.part);
    if (choice.frames == 0)
        choice.problem = _("This part gives no frame.");
    return choice;
}

double OfferedClipRate(const VideoInfo& info)
{
    const double rate = DefaultVideoRate(info.frameRate);
    return rate > 0 ? rate : 10.0;
}

bool ProbeClipFile(const wxString& path, VideoInfo& info)
{
    // The picture reader looks at a few header bytes; only what it does not
    // know is asked of the video reader.
    wxSize size;
    if (ProbePictureSize(path, size).error != PictureError::NotAPicture)
        return false;
    return ProbeVideo(path, info).IsOk();
}
