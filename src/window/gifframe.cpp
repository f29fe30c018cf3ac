#include "window/gifframe.h"

#include "app/desktop.h"
#include "app/domainoption.h"
#include "app/gifchoices.h"
#include "app/language.h"
#include "app/paths.h"
#include "app/productinfo.h"
#include "app/trace.h"
#include "app/userdata.h"
#include "window/frameevents.h"
#include "window/windowtexts.h"
#include "window/workerlink.h"
#include "window/framedroptarget.h"
#include "recovery/abandonedcopy.h"
#include "recovery/recoverycopy.h"
#include "recovery/recoveryfolder.h"
#include "strip/thumbnailctrl.h"
#include "strip/thumbnailevent.h"
#include "window/windowids.h"
#include "window/framecommands.h"

#include <wx/cmdproc.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/splitter.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>


wxBEGIN_EVENT_TABLE(GifFrame, wxFrame)
    EVT_THUMBNAIL_LEFT_CLICK(ID_THUMBNAIL_CTRL, GifFrame::OnThumbnailLeftClick)
    EVT_THUMBNAIL_RIGHT_CLICK(ID_THUMBNAIL_CTRL, GifFrame::OnThumbnailRightClick)
    EVT_THUMBNAIL_ITEMS_MOVED(ID_THUMBNAIL_CTRL, GifFrame::OnThumbnailItemsMoved)
    EVT_THUMBNAIL_FOCUS_MOVED(ID_THUMBNAIL_CTRL, GifFrame::OnThumbnailLeftClick)
    EVT_CLOSE(GifFrame::OnClose)
    EVT_COMMAND(wxID_ANY, EVT_UPDATE_CHECK_DONE, GifFrame::OnUpdateCheckDone)
    EVT_COMMAND(ID_IMAGE_LOAD_UPDATE, EVT_THREAD_UPDATE, GifFrame::OnImageLoadUpdate)
    EVT_COMMAND(ID_SAVE_GIF_UPDATE, EVT_THREAD_UPDATE, GifFrame::OnSaveGifUpdate)
wxEND_EVENT_TABLE()

namespace
{

// Every object the program looks up in "MyFrame1", with the class it must have.
struct LayoutObject
{
    const char* name;
    wxClassInfo* classInfo;
};

const LayoutObject kLayoutObjects[] = {
    {"m_splitter3", wxCLASSINFO(wxSplitterWindow)},
    {"m_panel_top", wxCLASSINFO(wxPanel)},
    {"m_panel_down", wxCLASSINFO(wxPanel)},
    {"m_spinctrl_delay", wxCLASSINFO(wxSpinCtrl)},
    {"m_spinctrl_width", wxCLASSINFO(wxSpinCtrl)},
    {"m_spinctrl_height", wxCLASSINFO(wxSpinCtrl)},
    {"m_staticText_delay", wxCLASSINFO(wxStaticText)},
    {"m_staticText_sec", wxCLASSINFO(wxStaticText)},
    {"m_staticText_gif", wxCLASSINFO(wxStaticText)},
    {"m_staticText_width", wxCLASSINFO(wxStaticText)},
    {"m_staticText_wpx", wxCLASSINFO(wxStaticText)},
    {"m_staticText_height", wxCLASSINFO(wxStaticText)},
    {"m_staticText_hpx", wxCLASSINFO(wxStaticText)},
    {"m_statusBar1", wxCLASSINFO(wxStatusBar)},
    {"m_toolBar_button", wxCLASSINFO(wxToolBar)},
};

const char* const kTools[] = {"m_tool_play", "m_tool_delete", "m_tool_insert"};

template <typename T>
T* Lookup(wxWindow* parent, const char* name)
{
    return wxDynamicCast(parent->FindWindow(XRCID(name)), T);
}

// The first object of the layout that is missing or of the wrong class;
// empty when the layout is complete.
wxString FindMissingLayoutObject(wxWindow* frame)
{
    for (const LayoutObject& object : kLayoutObjects)
    {
        wxWindow* window = frame->FindWindow(XRCID(object.name));
        if (!window || !window->IsKindOf(object.classInfo))
            return object.name;
    }
    wxToolBar* toolBar = Lookup<wxToolBar>(frame, "m_toolBar_button");
    for (const char* tool : kTools)
    {
        if (!toolBar->FindById(XRCID(tool)))
            return tool;
    }
    return wxString();
}

// Label text with an accelerator; the accelerator is never translated.
wxString WithAccel(const wxString& label, const char* accel)
{
    return label + "\t" + accel;
}

// The image file dialog; its wildcard is the program's own text, "*bmp"
// without a dot in the description included. Video clips are listed too
// (phones name them in capitals), and everything else on request: the
// content decides what a file is.
wxArrayString ChooseImageFiles(wxWindow* parent, const wxString& message)
{
    const wxString clips = "*.mp4;*.mov;*.m4v;*.mkv;*.webm;*.avi;*.MP4;*.MOV;*.M4V;*.MKV;*.WEBM;*.AVI";
    wxFileDialog dialog(parent, message, wxString(), wxString(),
                        _("Image files ") + "(*.png;*.jpg;*bmp;*.gif;*.mp4;*.mov;*.mkv;*.webm;*.avi)|*.png;*.jpg;*.bmp;*.gif;" + clips + "|" +
                            _("Video clips") + " (*.mp4;*.mov;*.mkv;*.webm;*.avi)|" + clips + "|" + _("All files") +
                            " (*)|*",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_MULTIPLE);
    wxArrayString paths;
    if (dialog.ShowModal() == wxID_OK)
        dialog.GetPaths(paths);
    return paths;
}

// Offers `name` (the work's GIF name) or, without one, "*.gif".
wxString ChooseSavePath(wxWindow* parent, const wxString& message, const wxString& name)
{
    wxFileDialog dialog(parent, message, wxString(), name.empty() ? wxString("*.gif") : name,
                        _("Image files") + " (*.gif)|*.gif", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

wxString ChooseProjectPath(wxWindow* parent, bool save)
{
    if (save)
    {
        wxFileDialog dialog(parent, _("Save XML Files"), wxString(), wxString(), _("XML files") + " (*.xml)|*.xml",
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
    }
    wxFileDialog dialog(parent, _("Load Xml Files"), wxString(), wxString(), _("Xml files") + " (*.xml)|*.xml",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

// The help page of option.cfg, else the manual installed with the program;
// empty when there is neither.
wxString HelpPageAddress()
{
    if (g_domainOption && !g_domainOption->GetHelpUrl().empty())
        return g_domainOption->GetHelpUrl();
    const wxString manual = GetManualPath();
    return wxFileExists(manual) ? wxFileName::FileNameToURL(wxFileName(manual)) : wxString();
}

bool StartWorker(wxThread& worker)
{
    return worker.Create() == wxTHREAD_NO_ERROR && worker.Run() == wxTHREAD_NO_ERROR;
}

// How often the recovery copy follows the work at most.
const int kRecoveryIntervalMs = 3000;
// Undo steps the window keeps; older ones go with the frames they hold.
const int kHistorySteps = 100;
} // namespace

GifFrame::GifFrame()
    : m_choose_files(ChooseImageFiles), m_choose_save_path(ChooseSavePath), m_choose_project_path(ChooseProjectPath),
      m_start_worker(StartWorker),
      m_show_menu([this](wxMenu& menu, const wxPoint& at) { PopupMenu(&menu, at); })
{
}

GifFrame::~GifFrame()
{
    // A loading run still on must not report to a window that is gone; a save
    // reads the frames' pixels, so it must end before they go.
    AbandonLoadRun();
    AwaitSave();
    AbandonUpdateCheck();
    // The timer must not fire into a half-destroyed frame, and the strip with
    // its entries goes before the rest of the window.
    m_timer.Stop();
    m_recovery_timer.Stop();
    // A clean end: the recovery copy goes (RecoveryCopy's destructor).
    delete m_thumbnail_ctrl;
    m_thumbnail_ctrl = nullptr;
}

GifFrame* GifFrame::CreateFromLayout(wxXmlResource& resource, wxString* problem)
{
    GifFrame* frame = new GifFrame;
    if (!resource.LoadFrame(frame, nullptr, "MyFrame1"))
    {
        if (problem)
            *problem = _("The window layout \"MyFrame1\" could not be loaded.");
        if (frame->GetHandle())
            frame->Destroy();
        else
            delete frame; // never became a native window
        return nullptr;
    }
    wxString missing;
    if (!frame->SetupFrame(&missing))
    {
        if (problem)
            *problem = wxString::Format(_("The window layout \"MyFrame1\" has no control \"%s\"."), missing);
        frame->Destroy();
        return nullptr;
    }
    return frame;
}

bool GifFrame::SetupFrame(wxString* missing)
{
    // Refuse an incomplete layout up front rather than run with null members.
    const wxString absent = FindMissingLayoutObject(this);
    if (!absent.empty())
    {
        if (missing)
            *missing = absent;
        return false;
    }

    m_history = std::make_unique<wxCommandProcessor>(kHistorySteps);

    // 1. Interface language.
    m_language = ReadLanguageFile();
    ApplyLanguage(m_language);

    // 2. Menu bar, with the item of m_language checked.
    BuildMenuBar();

    // 3. Handlers of the layout's controls and of the timer.
    ConnectLayoutHandlers();

    // 4, 5. Splitter and the top panel that hosts the strip.
    m_splitter3 = Lookup<wxSplitterWindow>(this, "m_splitter3");
    m_panel_top = Lookup<wxPanel>(this, "m_panel_top");
    m_panel_top->SetSizer(new wxBoxSizer(wxHORIZONTAL), true);
    CreateThumbnailStrip();

    // 6. Preview surface.
    m_panel_down = Lookup<wxPanel>(this, "m_panel_down");
    m_panel_down->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK));
    // The panel paints the shown frame itself, so a repaint keeps it.
    m_panel_down->Bind(wxEVT_PAINT, &GifFrame::OnPaintPreview, this);
    m_panel_down->Bind(wxEVT_SIZE, &GifFrame::OnSizePreview, this);
    // Files dropped from the file manager on either half are added.
    m_thumbnail_ctrl->SetDropTarget(new FrameDropTarget(*this));
    m_panel_down->SetDropTarget(new FrameDropTarget(*this));

    // 7. Preview timer.
    m_timer.SetOwner(this, ID_PREVIEW_TIMER);

    // 8. Spin controls.
    m_spinctrl_delay = Lookup<wxSpinCtrl>(this, "m_spinctrl_delay");
    m_spinctrl_width = Lookup<wxSpinCtrl>(this, "m_spinctrl_width");
    m_spinctrl_height = Lookup<wxSpinCtrl>(this, "m_spinctrl_height");
    for (wxSpinCtrl* spin : {m_spinctrl_delay, m_spinctrl_width, m_spinctrl_height})
        spin->Bind(wxEVT_KILL_FOCUS, &GifFrame::OnSpinFocusLost, this);

    // 9. Labels of the spin-control row.
    m_staticText_delay = Lookup<wxStaticText>(this, "m_staticText_delay");
    m_staticText_sec = Lookup<wxStaticText>(this, "m_staticText_sec");
    m_staticText_gif = Lookup<wxStaticText>(this, "m_staticText_gif");
    m_staticText_width = Lookup<wxStaticText>(this, "m_staticText_width");
    m_staticText_wpx = Lookup<wxStaticText>(this, "m_staticText_wpx");
    m_staticText_height = Lookup<wxStaticText>(this, "m_staticText_height");
    m_staticText_hpx = Lookup<wxStaticText>(this, "m_staticText_hpx");
    SetSpinRowLabels();
    m_thumbnail_ctrl->SetEmptyText(_("Add images with Ctrl+Ins, or drop them here"));

    // 10. Status bar: GIF name and size, current frame, rest.
    m_statusBar1 = Lookup<wxStatusBar>(this, "m_statusBar1");
    const int widths[] = {200, 400, -1};
    m_statusBar1->SetFieldsCount(3, widths);

    // 11. Toolbar. Its tips came from the layout, which loaded before the
    // window's language was active.
    m_toolBar_button = Lookup<wxToolBar>(this, "m_toolBar_button");
    SetToolTexts();

    // 12. Nothing to edit yet.
    EnableFrameCommands(false);

    // 13.
    m_ref_width = m_ref_height = 0;
    m_preview_index = 0;
    m_loop_count = 0;
    m_loops_played = 0;
    m_project_state = WorkState();
    m_gif_state = WorkState();
    m_gif_choices = ReadGifChoicesFile();

    // 14. Window icon; a missing file keeps the default icon.
    const wxString iconPath = GetInstallRoot() + "/Themes/application.ico";
    WriteTraceLine(iconPath);
    {
        wxLogNull quiet;
        wxIcon icon;
        if (wxFileExists(iconPath) && icon.LoadFile(iconPath, wxBITMAP_TYPE_ICO))
            SetIcon(icon);
    }

    // 15, 16.
    SetTitle(GetProductDisplayName());
    m_playing = false;

    // The work is kept for recovery every few seconds while there is any.
    m_recovery = std::make_unique<RecoveryCopy>(GetRecoveryFolder());
    m_recovery_timer.SetOwner(this, ID_RECOVERY_TIMER);
    Bind(wxEVT_TIMER, &GifFrame::OnRecoveryTimer, this, ID_RECOVERY_TIMER);
    m_recovery_timer.Start(kRecoveryIntervalMs);
    UpdateMinimumSize();
    return true;
}

void GifFrame::CreateThumbnailStrip()
{
    m_thumbnail_ctrl = new wxThumbnailCtrl(m_panel_top, wxDefaultPosition, m_panel_top->GetSize());
    m_panel_top->GetSizer()->Add(m_thumbnail_ctrl, 1, wxEXPAND, 0);
    m_thumbnail_ctrl->SetBackgroundColour(wxColour(176, 223, 227, 255));
    // The menu key and Shift+F10 ask the strip for its context menu.
    m_thumbnail_ctrl->Bind(wxEVT_CONTEXT_MENU, &GifFrame::OnStripContextMenu, this);
}

int GifFrame::GetFrameCount() const
{
    return m_thumbnail_ctrl ? m_thumbnail_ctrl->GetCount() : 0;
}

void GifFrame::ConnectLayoutHandlers()
{
    Bind(wxEVT_MENU, &GifFrame::OnRunAnimation, this, XRCID("m_tool_play"));
    Bind(wxEVT_MENU, &GifFrame::OnDelete, this, XRCID("m_tool_delete"));
    Bind(wxEVT_MENU, &GifFrame::OnAddImage, this, XRCID("m_tool_insert"));
    Bind(wxEVT_MENU, &GifFrame::OnLoopCount, this, XRCID("m_menuItem_loop_count"));
    // The strip's context menu uses fixed ids; it is shown with this frame
    // as its window, so its commands arrive here.
    Bind(wxEVT_MENU, &GifFrame::OnInsertImage, this, ID_INSERT_IMAGE_MENU);
    Bind(wxEVT_MENU, &GifFrame::OnDelete, this, wxID_DELETE);
    Bind(wxEVT_MENU, &GifFrame::OnMoveFrames, this, ID_MOVE_LEFT_MENU, ID_MOVE_RIGHT_MENU);
    // Undo, Redo and the frame operations keep their ids in every menu bar
    // and in the context menu.
    Bind(wxEVT_MENU, &GifFrame::OnUndo, this, ID_UNDO_MENU);
    Bind(wxEVT_MENU, &GifFrame::OnRedo, this, ID_REDO_MENU);
    Bind(wxEVT_MENU, &GifFrame::OnSelectAll, this, ID_SELECT_ALL_MENU);
    Bind(wxEVT_MENU, &GifFrame::OnFrameOperation, this, ID_REVERSE_MENU, ID_YOYO_MENU);
    Bind(wxEVT_MENU, &GifFrame::OnFrameOperation, this, ID_DUPLICATE_MENU);
    Bind(wxEVT_MENU, &GifFrame::OnEveryNth, this, ID_REMOVE_EVERY_NTH_MENU, ID_KEEP_EVERY_NTH_MENU);
    Bind(wxEVT_CHAR_HOOK, &GifFrame::OnCharHook, this);
    Bind(wxEVT_MENU_OPEN, &GifFrame::OnMenuOpen, this);
    Bind(wxEVT_TEXT, &GifFrame::OnSetDelay, this, XRCID("m_spinctrl_delay"));
    Bind(wxEVT_TEXT, &GifFrame::OnSetWidth, this, XRCID("m_spinctrl_width"));
    Bind(wxEVT_TEXT, &GifFrame::OnSetHeight, this, XRCID("m_spinctrl_height"));
    Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, &GifFrame::OnChangeSplitterWindow, this, XRCID("m_splitter3"));
    Bind(wxEVT_TIMER, &GifFrame::OnPreviewTimer, this, ID_PREVIEW_TIMER);
}

void GifFrame::BuildMenuBar()
{
    // Handlers are bound to the menus themselves, so that they go with the
    // old bar: a rebuilt bar gets fresh item ids, and an id released by the
    // old bar may be handed out again for a different item.
    wxMenuBar* menubar = new wxMenuBar;

    m_menu_file = new wxMenu;
    m_item_save = m_menu_file->Append(wxID_ANY, _("Save"));
    m_item_save_as = m_menu_file->Append(wxID_ANY, _("Save As"));
    m_item_open_project = m_menu_file->Append(wxID_ANY, _("Open Project"));
    m_item_save_project = m_menu_file->Append(wxID_ANY, WithAccel(_("Save Project"), "Ctrl+S"));
    m_item_exit = m_menu_file->Append(wxID_ANY, WithAccel(_("Exit"), "Ctrl+Q"));

    m_menu_frame = new wxMenu;
    m_item_add_image = m_menu_frame->Append(wxID_ANY, WithAccel(_("Add Image"), "Ctrl+Ins"));
    m_item_delete = m_menu_frame->Append(wxID_ANY, WithAccel(_("Delete"), "Ctrl+Del"));
    m_item_clear_all = m_menu_frame->Append(wxID_ANY, _("Clear All"));
    m_menu_frame->AppendSeparator();
    m_item_undo = m_menu_frame->Append(ID_UNDO_MENU, WithAccel(_("Undo"), "Ctrl+Z"));
    m_item_redo = m_menu_frame->Append(ID_REDO_MENU, WithAccel(_("Redo"), "Ctrl+Shift+Z"));
    m_menu_frame->AppendSeparator();
    m_frame_operation_items = {
        m_menu_frame->Append(ID_SELECT_ALL_MENU, WithAccel(_("Select All"), "Ctrl+A")),
        m_menu_frame->Append(ID_REVERSE_MENU, _("Reverse")),
        m_menu_frame->Append(ID_YOYO_MENU, _("Yo-yo")),
        m_menu_frame->Append(ID_REMOVE_EVERY_NTH_MENU, _("Remove Every Nth Frame...")),
        m_menu_frame->Append(ID_KEEP_EVERY_NTH_MENU, _("Keep Every Nth Frame...")),
        m_menu_frame->Append(ID_DUPLICATE_MENU, _("Duplicate"))};

    m_menu_animation = new wxMenu;
    m_item_run_animation = m_menu_animation->Append(wxID_ANY, WithAccel(_("Run animation"), "Ctrl+P"));
    m_item_loop_count = m_menu_animation->Append(wxID_ANY, _("Loop Count"));
    m_item_gif_options = m_menu_animation->Append(wxID_ANY, _("GIF options"));

    m_menu_language = new wxMenu;
    m_item_lang_zh_cn = m_menu_language->AppendCheckItem(LANG_ID_CHINESE_SIMPLIFIED, wxString::FromUTF8("中文简体"));
    m_item_lang_zh_tw = m_menu_language->AppendCheckItem(LANG_ID_CHINESE_TRADITIONAL, wxString::FromUTF8("中文繁体"));
    m_item_lang_de = m_menu_language->AppendCheckItem(LANG_ID_GERMAN, "Deutsch");
    m_item_lang_en = m_menu_language->AppendCheckItem(LANG_ID_ENGLISH, "English");
    m_item_lang_fr = m_menu_language->AppendCheckItem(LANG_ID_FRENCH, wxString::FromUTF8("Français"));
    m_item_lang_it = m_menu_language->AppendCheckItem(LANG_ID_ITALIAN, "Italiano");
    m_item_lang_ja = m_menu_language->AppendCheckItem(LANG_ID_JAPANESE, wxString::FromUTF8("日本語"));
    if (m_menu_language->FindItem(m_language))
        m_menu_language->Check(m_language, true);

    m_menu_help = new wxMenu;
    m_item_help = m_menu_help->Append(wxID_ANY, _("Help"));
    m_menu_help->AppendSubMenu(m_menu_language, _("Language"));
    m_item_support = m_menu_help->Append(wxID_ANY, _("Support"));
    m_item_check_update = m_menu_help->Append(wxID_ANY, _("Check for Update"));
    m_item_about = m_menu_help->Append(wxID_ANY, _("About"));
    // A command without an address would lead nowhere; Help falls back on
    // the manual installed with the program.
    m_item_help->Enable(!HelpPageAddress().empty());
    m_item_support->Enable(g_domainOption && !g_domainOption->GetSupportUrl().empty());
    m_item_check_update->Enable(g_domainOption && !g_domainOption->GetUpdateUrl().empty());

    m_menu_file->Bind(wxEVT_MENU, &GifFrame::OnSave, this, m_item_save->GetId());
    m_menu_file->Bind(wxEVT_MENU, &GifFrame::OnSaveAs, this, m_item_save_as->GetId());
    m_menu_file->Bind(wxEVT_MENU, &GifFrame::OnOpenProject, this, m_item_open_project->GetId());
    m_menu_file->Bind(wxEVT_MENU, &GifFrame::OnSaveProject, this, m_item_save_project->GetId());
    m_menu_file->Bind(wxEVT_MENU, &GifFrame::OnExit, this, m_item_exit->GetId());
    m_menu_frame->Bind(wxEVT_MENU, &GifFrame::OnAddImage, this, m_item_add_image->GetId());
    m_menu_frame->Bind(wxEVT_MENU, &GifFrame::OnDelete, this, m_item_delete->GetId());
    m_menu_frame->Bind(wxEVT_MENU, &GifFrame::OnClearAll, this, m_item_clear_all->GetId());
    m_menu_animation->Bind(wxEVT_MENU, &GifFrame::OnRunAnimation, this, m_item_run_animation->GetId());
    m_menu_animation->Bind(wxEVT_MENU, &GifFrame::OnLoopCount, this, m_item_loop_count->GetId());
    m_menu_animation->Bind(wxEVT_MENU, &GifFrame::OnGifOptions, this, m_item_gif_options->GetId());
    m_menu_help->Bind(wxEVT_MENU, &GifFrame::OnHelp, this, m_item_help->GetId());
    m_menu_help->Bind(wxEVT_MENU, &GifFrame::OnSupport, this, m_item_support->GetId());
    m_menu_help->Bind(wxEVT_MENU, &GifFrame::OnCheckUpdate, this, m_item_check_update->GetId());
    m_menu_help->Bind(wxEVT_MENU, &GifFrame::OnAbout, this, m_item_about->GetId());
    for (wxMenuItem* item : m_menu_language->GetMenuItems())
        m_menu_language->Bind(wxEVT_MENU, &GifFrame::OnSelectLanguage, this, item->GetId());

    menubar->Append(m_menu_file, _("File"));
    menubar->Append(m_menu_frame, _("Frame"));
    menubar->Append(m_menu_animation, _("Animation"));
    menubar->Append(m_menu_help, _("Help"));

    wxMenuBar* old = GetMenuBar();
    SetMenuBar(menubar);
    m_menubar = menubar;
    delete old; // the frame lets go of a replaced bar without deleting it
}

void GifFrame::EnableFrameCommands(bool enable)
{
    m_item_save->Enable(enable);
    m_item_save_as->Enable(enable);
    m_item_delete->Enable(enable);
    m_item_clear_all->Enable(enable);
    m_item_run_animation->Enable(enable);
    m_item_loop_count->Enable(enable);
    m_toolBar_button->EnableTool(XRCID("m_tool_delete"), enable);
    m_toolBar_button->EnableTool(XRCID("m_tool_play"), enable);
    m_spinctrl_delay->Enable(enable);
    m_spinctrl_width->Enable(enable);
    m_spinctrl_height->Enable(enable);
    m_item_save_project->Enable(enable);
    for (wxMenuItem* item : m_frame_operation_items)
        item->Enable(enable);
    UpdateHistoryItems();
}

void GifFrame::ApplyLanguage(int id)
{
    // The old locale goes first, so that the new one is created while the
    // application locale is the active one.
    m_frame_locale.reset();
    m_frame_locale = CreateWindowLocale(id);
}

void GifFrame::SetSpinRowLabels()
{
    m_staticText_delay->SetLabel(_("Delay ") + ":");
    m_staticText_sec->SetLabel("1/100" + _("sec "));
    m_staticText_gif->SetLabel(_("GIF") + ":");
    m_staticText_width->SetLabel(_("Width") + ":");
    m_staticText_wpx->SetLabel(_("px"));
    m_staticText_height->SetLabel(_("Height") + ":");
    m_staticText_hpx->SetLabel(_("px"));
}

void GifFrame::SetToolTexts()
{
    m_toolBar_button->SetToolShortHelp(XRCID("m_tool_insert"), _("Add Image"));
    m_toolBar_button->SetToolShortHelp(XRCID("m_tool_delete"), _("Delete"));
    // The play tool and the Run animation item say what a click does now.
    if (m_playing)
        SetStopLook();
    else
        SetRunLook();
}

void GifFrame::RefreshWindowTexts()
{
    SetSpinRowLabels();
    SetToolTexts();
    // The frame text describes the frame last shown; with none shown there
    // is nothing to describe.
    wxString frameText;
    if (m_shown_image.IsOk())
        frameText = FrameStatusText(m_image_path, m_shown_image.GetWidth(), m_shown_image.GetHeight());
    m_statusBar1->SetStatusText(frameText, 1);
    // The output size stays as it stands, typed or derived; only its text
    // follows the language.
    if (GetFrameCount() > 0)
        m_statusBar1->SetStatusText(
            SizeResetStatusText(m_gif_name, m_spinctrl_width->GetValue(), m_spinctrl_height->GetValue()), 0);
    else
        ResetOutputSize();
    UpdateTitle();
    m_thumbnail_ctrl->SetEmptyText(_("Add images with Ctrl+Ins, or drop them here"));
    // Labels changed length: the spin row's panel places its controls anew.
    // The frame's own layout would not do it, as the panel keeps its size.
    UpdateMinimumSize();
    m_staticText_delay->GetParent()->Layout();
}

void GifFrame::UpdateMinimumSize()
{
    wxSizer* row = m_staticText_delay->GetContainingSizer();
    wxWindow* panel = m_staticText_delay->GetParent();
    wxSizerItem* item = panel && panel->GetSizer() && row ? panel->GetSizer()->GetItem(row, true) : nullptr;
    if (!item)
        return;
    item->CalcMin();
    const wxSize rowSize = item->GetMinSizeWithBorder();
    // Room for the row, one row of thumbnails and a little of the preview.
    const int below = m_thumbnail_ctrl->GetThumbnailOverallSize().y + 2 * m_thumbnail_ctrl->GetSpacing() + 80;
    const wxSize minimum(rowSize.x, rowSize.y + below);
    SetMinClientSize(minimum);
    // A longer row after a language switch widens a window that was narrower.
    wxSize client = GetClientSize();
    if (client.x < minimum.x || client.y < minimum.y)
    {
        client.IncTo(minimum);
        SetClientSize(client);
    }
}

void GifFrame::OnSelectLanguage(wxCommandEvent& event)
{
    m_language = event.GetId();
    WriteLanguageFile(m_language);
    ApplyLanguage(m_language);
    BuildMenuBar();
    // The new bar starts with every command enabled; keep the group state.
    EnableFrameCommands(GetFrameCount() > 0);
    RefreshWindowTexts();
}

void GifFrame::OnExit(wxCommandEvent&)
{
    Close();
}

void GifFrame::OnHelp(wxCommandEvent&)
{
    StopPreview();
    const wxString address = HelpPageAddress();
    if (!address.empty())
        OpenWebPage(address);
}

void GifFrame::OnSupport(wxCommandEvent&)
{
    StopPreview();
    if (g_domainOption && !g_domainOption->GetSupportUrl().empty())
        OpenWebPage(g_domainOption->GetSupportUrl());
}

void GifFrame::OnClose(wxCloseEvent& event)
{
    StopPreview();
    // Closing ends a loading run (the frames that arrived stay for the
    // question below) and lets a save finish its file.
    AbandonLoadRun();
    AwaitSave();
    if (!HasUnsavedWork())
    {
        Destroy();
        return;
    }
    // A close that cannot be refused (session end) gets no Cancel button.
    switch (AskToSaveProject(event.CanVeto()))
    {
    case wxID_YES:
        // A save that did not happen (cancelled or failed) keeps the window,
        // so that the frames are not lost; when the window must go anyway,
        // the recovery copy stays for the next start.
        if (SaveProject())
            Destroy();
        else if (!event.CanVeto())
        {
            UpdateRecoveryCopy();
            m_recovery->Leave();
            Destroy();
        }
        break;
    case wxID_NO:
        Destroy();
        break;
    default:
        break; // Cancel: the window stays open
    }
}
