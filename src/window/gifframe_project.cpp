// Project files in the window: Save Project, Open Project and the question
// about unsaved work that opening and closing ask.

#include "window/gifframe.h"

#include "app/productinfo.h"
#include "project/projectfile.h"
#include "strip/thumbnailctrl.h"
#include "strip/thumbnailitem.h"
#include "window/windowtexts.h"

#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

void GifFrame::OnSaveProject(wxCommandEvent&)
{
    SaveProject();
}

bool GifFrame::SaveProject()
{
    const int frames = GetFrameCount();
    if (frames == 0)
        return false;

    ProjectContent content;
    content.hasSize = true;
    content.gifName = wxFileNameFromPath(m_gif_path);
    content.width = m_spinctrl_width->GetValue();
    content.height = m_spinctrl_height->GetValue();
    content.hasDelay = true;
    content.delay = m_spinctrl_delay->GetValue();
    content.images = ProjectContent::Images::Listed;
    std::vector<wxString> entries;
    for (int i = 0; i < frames; ++i)
        entries.push_back(m_thumbnail_ctrl->GetItem(i)->GetFilename());
    content.paths = ProjectPathsWithMarkers(entries);

    wxString path = m_project_path;
    if (path.empty())
        path = m_choose_project_path(this, true);
    if (path.empty())
        return false;
    if (!path.EndsWith(".xml"))
        path += ".xml";

    // The work counts as saved only once the file holds it; a path that could
    // not be written is asked for again next time.
    wxString error;
    if (!WriteProjectFile(path, content, error))
    {
        wxMessageDialog(this, wxString::Format(_("Cannot write the project file:\n%s"), path) + "\n" + error,
                        _("Save Project"), wxOK | wxICON_ERROR)
            .ShowModal();
        return false;
    }
    m_project_path = path;
    m_project_file_name = wxFileNameFromPath(path);
    RecordProjectState();
    SetTitle(ProjectWindowTitle(m_project_file_name, GetProductDisplayName()));
    return true;
}

bool GifFrame::HasUnsavedWork() const
{
    // An empty strip has nothing a project could keep.
    const int frames = GetFrameCount();
    if (frames == 0)
        return false;
    if (m_project_path.empty())
        return true;
    return m_spinctrl_delay->GetValue() != m_project_delay || m_spinctrl_width->GetValue() != m_project_width ||
           m_spinctrl_height->GetValue() != m_project_height || frames != m_project_count;
}

int GifFrame::AskToSaveProject(bool canCancel)
{
    long style = wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION;
    if (canCancel)
        style |= wxCANCEL;
    wxMessageDialog ask(this,
                        _("The project is unsaved,you can continue to edit\n your project when you open it next "
                          "time,do you \nwant to save the project now?"),
                        _("Warning"), style);
    return ask.ShowModal();
}

bool GifFrame::ConfirmDiscardWork()
{
    if (!HasUnsavedWork())
        return true;
    switch (AskToSaveProject(true))
    {
    case wxID_YES:
        // Work the user wanted kept is not thrown away unsaved.
        return SaveProject();
    case wxID_NO:
        return true;
    default:
        return false;
    }
}

void GifFrame::OnOpenProject(wxCommandEvent&)
{
    if (IsLoading() || !ConfirmDiscardWork())
        return;
    // Asked before anything is cleared, so that a cancelled dialog leaves
    // the work as it is.
    const wxString path = m_choose_project_path(this, false);
    if (!path.empty())
        OpenProjectFile(path, false);
}

void GifFrame::OpenProject(const wxString& path)
{
    if (!IsLoading() && ConfirmDiscardWork())
        OpenProjectFile(path, true);
}

void GifFrame::OpenProjectFile(const wxString& path, bool tellUnreadable)
{
    StopPreview();
    m_thumbnail_ctrl->Clear();
    m_project_path = path;
    m_project_file_name = wxFileNameFromPath(path);
    SetTitle(ProjectWindowTitle(m_project_file_name, GetProductDisplayName()));

    ProjectContent content;
    if (!ReadProjectFile(path, content))
    {
        // Not a project: the strip stays empty, with its commands off.
        EnableFrameCommands(false);
        ClearPreview();
        if (tellUnreadable)
            wxMessageBox(_("Failed to load XML file!") + "\n" + path, GetTitle(), wxOK | wxICON_INFORMATION, this);
        return;
    }
    ApplyProject(content);
}

void GifFrame::ApplyProject(const ProjectContent& content)
{
    EnableFrameCommands(false);
    ClearPreview();
    m_statusBar1->SetStatusText(wxString(), 1);
    if (content.hasSize)
    {
        // The controls keep values within their range; what they show is
        // what counts from here on.
        m_spinctrl_width->SetValue(content.width);
        m_spinctrl_height->SetValue(content.height);
        m_project_width = m_spinctrl_width->GetValue();
        m_project_height = m_spinctrl_height->GetValue();
        m_gif_name = content.gifName;
        m_statusBar1->SetStatusText(ProjectSizeStatusText(m_gif_name, m_project_width, m_project_height), 0);
        m_ref_width = m_out_width = m_project_width;
        m_ref_height = m_out_height = m_project_height;
    }
    else
    {
        m_project_width = m_project_height = 0;
    }
    if (content.hasDelay)
    {
        m_spinctrl_delay->SetValue(content.delay);
        m_project_delay = m_spinctrl_delay->GetValue();
        m_thumbnail_ctrl->SetFrameDelay(m_project_delay);
    }

    const wxString failure = _("Failed to load XML file!");
    switch (content.images)
    {
    case ProjectContent::Images::Missing:
    case ProjectContent::Images::Broken:
        return;
    case ProjectContent::Images::Empty:
        wxMessageBox(failure, GetTitle(), wxOK | wxICON_INFORMATION, this);
        return;
    case ProjectContent::Images::Listed:
        break;
    }

    wxArrayString paths;
    for (const wxString& path : UsableProjectPaths(content.paths))
        paths.Add(path);
    if (paths.empty())
    {
        wxMessageBox(failure, GetTitle(), wxOK | wxICON_INFORMATION, this);
        return;
    }
    m_project_count = 0;
    m_loading_project = LoadImageFiles(paths);
}

void GifFrame::FinishProjectLoad()
{
    m_loading_project = false;
    // The frames give the ratio for later edits; the output size stays the
    // one the project was saved with.
    if (GetFrameCount() > 0 && m_project_width > 0 && m_project_height > 0)
    {
        m_out_width = m_project_width;
        m_out_height = m_project_height;
        m_spinctrl_width->SetValue(m_out_width);
        m_spinctrl_height->SetValue(m_out_height);
        m_statusBar1->SetStatusText(ProjectSizeStatusText(m_gif_name, m_out_width, m_out_height), 0);
    }
    // Opened and unchanged is saved, whatever the file held.
    RecordProjectState();
}

void GifFrame::RecordProjectState()
{
    m_project_delay = m_spinctrl_delay->GetValue();
    m_project_width = m_spinctrl_width->GetValue();
    m_project_height = m_spinctrl_height->GetValue();
    m_project_count = GetFrameCount();
}
