// Project files in the window: Save Project, Open Project and the question
// about unsaved work that opening and closing ask.

#include "window/gifframe.h"

#include "app/messagebox.h"
#include "app/productinfo.h"
#include "project/projectfile.h"
#include "project/workstate.h"
#include "strip/thumbnailctrl.h"
#include "strip/thumbnailitem.h"
#include "window/imageloadrun.h"
#include "window/windowtexts.h"

#include <wx/filename.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

void GifFrame::OnSaveProject(wxCommandEvent&)
{
    SaveProject();
}

bool GifFrame::SaveProject()
{
    if (GetFrameCount() == 0)
        return false;
    const WorkState state = CurrentWorkState();
    // The GIF's name as the window knows it, also when the GIF has not been
    // written yet (the name a project brought along).
    const ProjectContent content = MakeProjectContent(state, m_gif_name);

    wxString path = m_project_path;
    if (path.empty())
        path = ChooseTargetPath([this] { return m_choose_project_path(this, true); }, ".xml");
    if (path.empty())
        return false;

    // The work counts as saved only once the file holds it; a path that could
    // not be written is asked for again next time.
    wxString error;
    if (!WriteProjectFile(path, content, error))
    {
        ShowMessage(this, wxString::Format(_("Cannot write the project file:\n%s"), path) + "\n" + error,
                    _("Save Project"), wxOK | wxICON_ERROR);
        return false;
    }
    m_project_path = path;
    m_project_file_name = wxFileNameFromPath(path);
    m_project_state = state;
    UpdateTitle();
    return true;
}

WorkState GifFrame::CurrentWorkState() const
{
    WorkState state;
    for (int i = 0; i < GetFrameCount(); ++i)
        state.frames.push_back(m_thumbnail_ctrl->GetItem(i)->GetFilename());
    state.delay = m_spinctrl_delay->GetValue();
    state.width = m_spinctrl_width->GetValue();
    state.height = m_spinctrl_height->GetValue();
    state.gif = m_gif_choices;
    return state;
}

bool GifFrame::HasUnsavedWork() const
{
    // An empty strip has nothing a project could keep.
    if (GetFrameCount() == 0)
        return false;
    return m_project_path.empty() || CurrentWorkState() != m_project_state;
}

int GifFrame::AskToSaveProject(bool canCancel)
{
    long style = wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION;
    if (canCancel)
        style |= wxCANCEL;
    return ShowMessage(this,
                       _("The project is unsaved,you can continue to edit\n your project when you open it next "
                         "time,do you \nwant to save the project now?"),
                       _("Warning"), style);
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
    ProjectContent content;
    const ProjectRead read = ReadProjectFile(path, content);
    if (read != ProjectRead::Ok)
    {
        // Only a file read as a project becomes the project; the work in the
        // window stays as it is. A file that is simply no project is passed
        // over in silence when it was chosen in the dialog.
        if (tellUnreadable || read != ProjectRead::NotAProject)
            ShowMessage(this, _("Failed to load XML file!") + "\n" + path + "\n" + DescribeProjectRead(read), GetTitle(),
                        wxOK | wxICON_INFORMATION);
        return;
    }
    StopPreview();
    ClearHistory(); // the project's own work starts here
    m_thumbnail_ctrl->Clear();
    m_project_path = path;
    m_project_file_name = wxFileNameFromPath(path);
    UpdateTitle();
    ApplyProject(content);
}

void GifFrame::ApplyProject(const ProjectContent& content)
{
    EnableFrameCommands(false);
    ClearPreview();
    m_statusBar1->SetStatusText(wxString(), 1);
    // The GIF of the work before is not this project's: the next Save asks,
    // offering the name the project gives.
    ForgetGifFile();
    m_gif_name = content.gifName;
    // Until the frames are in, nothing counts as saved.
    m_project_state = WorkState();
    if (content.hasSize)
    {
        // The controls keep values within their range; what they show is
        // what counts from here on.
        m_ref_width = m_ref_height = 0;
        LimitSizeControls();
        m_spinctrl_width->SetValue(content.width);
        m_spinctrl_height->SetValue(content.height);
        m_project_state.width = m_spinctrl_width->GetValue();
        m_project_state.height = m_spinctrl_height->GetValue();
        m_statusBar1->SetStatusText(
            ProjectSizeStatusText(m_gif_name, m_project_state.width, m_project_state.height), 0);
        m_ref_width = m_out_width = m_project_state.width;
        m_ref_height = m_out_height = m_project_state.height;
        LimitSizeControls();
    }
    if (content.hasDelay)
    {
        m_spinctrl_delay->SetValue(content.delay);
        m_project_state.delay = m_spinctrl_delay->GetValue();
        m_thumbnail_ctrl->SetFrameDelay(m_project_state.delay);
    }

    const wxString failure = _("Failed to load XML file!");
    switch (content.images)
    {
    case ProjectContent::Images::Missing:
    case ProjectContent::Images::Broken:
        return;
    case ProjectContent::Images::Empty:
        ShowMessage(this, failure, GetTitle(), wxOK | wxICON_INFORMATION);
        return;
    case ProjectContent::Images::Listed:
        break;
    }

    std::vector<wxString> missing;
    wxArrayString paths;
    for (const wxString& path : UsableProjectPaths(content.paths, &missing))
        paths.Add(path);
    if (paths.empty())
    {
        ShowMessage(this, failure + (missing.empty() ? wxString() : "\n\n" + MissingFilesText(missing)), GetTitle(),
                    wxOK | wxICON_INFORMATION);
        return;
    }
    // Told before the frames load: a later Save Project leaves these out.
    if (!missing.empty())
        ShowMessage(this, MissingFilesText(missing) + "\n\n" + _("Saving the project will leave them out."),
                    _("Open Project"), wxOK | wxICON_WARNING);
    // Frame references only: no clip asks for its part here.
    m_loading_project = StartLoadRun(LoadSourcesOf(paths), -1);
}

void GifFrame::FinishProjectLoad()
{
    m_loading_project = false;
    // The frames give the ratio for later edits; the output size stays the
    // one the project was saved with.
    if (GetFrameCount() > 0 && m_project_state.width > 0 && m_project_state.height > 0)
    {
        m_out_width = m_project_state.width;
        m_out_height = m_project_state.height;
        m_spinctrl_width->SetValue(m_out_width);
        m_spinctrl_height->SetValue(m_out_height);
        m_statusBar1->SetStatusText(ProjectSizeStatusText(m_gif_name, m_out_width, m_out_height), 0);
    }
    if (m_restoring)
    {
        // Restored work was never saved as it stands.
        m_restoring = false;
        m_project_state = WorkState();
        if (!m_after_restore.empty())
        {
            const wxArrayString files = m_after_restore;
            m_after_restore.clear();
            CallAfter([this, files] { OpenFiles(files); });
        }
        return;
    }
    // Opened and unchanged is saved, whatever the file held.
    RecordProjectState();
}

void GifFrame::RecordProjectState()
{
    m_project_state = CurrentWorkState();
}

void GifFrame::UpdateTitle()
{
    SetTitle(m_project_path.empty() ? GetProductDisplayName()
                                    : ProjectWindowTitle(m_project_file_name, GetProductDisplayName()));
}
