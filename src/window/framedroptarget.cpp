#include "window/framedroptarget.h"

#include "window/gifframe.h"

bool FrameDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files)
{
    return m_frame.OpenFiles(files);
}
