#pragma once
// The main window: frame list strip, preview panel, toolbar, spin-control row
// and status bar, laid out by the XRC object "MyFrame1". The menu bar is built
// in code so that it can be rebuilt in another language.

#include <wx/arrstr.h>
#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/frame.h>
#include <wx/string.h>
#include <wx/timer.h>

#include "frames/framepicture.h"
#include "project/workstate.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class wxCloseEvent;
class wxCommandEvent;
class wxCommandProcessor;
class wxContextMenuEvent;
class wxFocusEvent;
class wxKeyEvent;
class wxMenuEvent;
struct WorkSnapshot;
enum class EditKind;
class wxThumbnailItem;
// Entries outside the strip, kept by an undo step (window/framecommands.h).
using FramePool = std::map<wxThumbnailItem*, std::unique_ptr<wxThumbnailItem>>;
class wxLocale;
class wxMenu;
class wxPaintEvent;
class wxSizeEvent;
class wxThread;
class AbandonedCopy;
class RecoveryCopy;
class WorkerLink;
struct LeftOutFile;
struct LoadSource;
struct FrameStoreRefusal;
struct ProjectContent;
class wxMenuBar;
class wxMenuItem;
class wxPanel;
class wxProgressDialog;
class wxSpinCtrl;
class wxSplitterEvent;
class wxSplitterWindow;
class wxStaticText;
class wxStatusBar;
class wxThumbnailCtrl;
class wxThumbnailEvent;
class wxTimerEvent;
class wxToolBar;
class wxXmlResource;

class GifFrame : public wxFrame
{
public:
    // Empty frame without a native window; it is filled from XRC.
    GifFrame();
    ~GifFrame() override;

    // Loads "MyFrame1" from the resource and finishes it with SetupFrame.
    // Returns null, with the reason in problem, when the layout is missing or
    // lacks one of the named controls; nothing half-built is left behind.
    static GifFrame* CreateFromLayout(wxXmlResource& resource, wxString* problem);

    // Finishes the window loaded from XRC: language, menu bar, connections,
    // child controls, icon and title. Returns false (with the missing XRC
    // name in missing) and changes nothing when the layout is incomplete.
    virtual bool SetupFrame(wxString* missing = nullptr);

    // Creates the menu bar in the current language and installs it.
    void BuildMenuBar();
    // Enables or disables the editing commands as a group.
    void EnableFrameCommands(bool enable);
    // Stops a running preview and rewinds it to the first frame.
    void StopPreview();
    // Idle and running looks of the play tool and the Run animation item.
    void SetRunLook();
    void SetStopLook();
    // Draws frame `index` in the preview panel and describes it in the
    // status bar; an entry without pixels clears the panel.
    void ShowFrame(int index);
    // Removes the shown frame from the preview panel.
    void ClearPreview();
    // Switches the window locale to the program language id.
    void ApplyLanguage(int id);
    // Re-applies the texts set in code (after a language switch).
    void RefreshWindowTexts();
    // Derives the output size from the frames (shows 0 and 0 without frames).
    void ResetOutputSize();

    // Asks the user for picture files; empty when cancelled. Tests replace
    // the file dialog through SetFileChooser.
    using FileChooser = std::function<wxArrayString(wxWindow* parent, const wxString& message)>;
    void SetFileChooser(FileChooser chooser) { m_choose_files = std::move(chooser); }
    // Starts a worker thread; false when it could not be started. Tests
    // replace it to see the command's answer to a failure.
    using WorkerStarter = std::function<bool(wxThread& worker)>;
    void SetWorkerStarter(WorkerStarter starter) { m_start_worker = std::move(starter); }

    // Asks for the path to save the GIF under, offering `name`; empty when
    // cancelled. Tests replace the save dialog through SetSavePathChooser.
    using SavePathChooser = std::function<wxString(wxWindow* parent, const wxString& message, const wxString& name)>;
    void SetSavePathChooser(SavePathChooser chooser) { m_choose_save_path = std::move(chooser); }

    // Asks for the path of a project file to write (`save`) or to open;
    // empty when cancelled. Tests replace the file dialogs through
    // SetProjectPathChooser.
    using ProjectPathChooser = std::function<wxString(wxWindow* parent, bool save)>;
    void SetProjectPathChooser(ProjectPathChooser chooser) { m_choose_project_path = std::move(chooser); }

    // Shows the strip's context menu at `at` (client coordinates; the
    // pointer's place when default). Tests replace it to read the menu.
    using MenuShower = std::function<void(wxMenu& menu, const wxPoint& at)>;
    void SetMenuShower(MenuShower shower) { m_show_menu = std::move(shower); }

    // True when the strip holds frames and they, their order, the delay or
    // the size differ from the project last opened or saved.
    bool HasUnsavedWork() const;

    // Loads `paths` on the worker, appending their frames at the end of the
    // strip behind the progress dialog; each video clip first asks which part
    // to take. False when nothing was started (every clip's dialog
    // cancelled, or no worker could be started, which the user is told).
    bool LoadImageFiles(const wxArrayString& paths);
    // Files from the command line or a drop: one project opens as Open
    // Project does (asking about unsaved work first); pictures are added as
    // Add Image adds them. False when nothing was started.
    bool OpenFiles(const wxArrayString& paths);
    // Open Project without its file dialog.
    void OpenProject(const wxString& path);
    // The start of a run: the work a run that did not end cleanly left is
    // offered back, then `files` open as OpenFiles opens them.
    void StartUp(const wxArrayString& files);
    // Brings the recovery copy up to date now (the timer does it every few
    // seconds): written while there are frames, removed when there are none.
    void UpdateRecoveryCopy();
    // The recovery copy's file; empty while there is none.
    wxString GetRecoveryPath() const;

    bool IsLoading() const { return m_load_link != nullptr; }
    bool IsSaving() const { return m_save_link != nullptr; }
    bool IsCheckingForUpdate() const { return m_update_link != nullptr; }
    int GetLoopCount() const { return m_loop_count; }
    const GifChoices& GetGifChoices() const { return m_gif_choices; }
    // Sets the passes after which the preview stops by itself (0: endless)
    // and starts counting them afresh.
    void SetLoopCount(int count);

    // Number of frames in the strip.
    int GetFrameCount() const;
    // Where the preview panel shows its frame; empty when nothing is shown.
    const wxRect& GetPreviewRect() const { return m_preview_rect; }
    int GetPreviewIndex() const { return m_preview_index; }
    wxThumbnailCtrl* GetThumbnailCtrl() const { return m_thumbnail_ctrl; }

    // The edits that Undo and Redo step through.
    wxCommandProcessor* GetHistory() const { return m_history.get(); }

    int GetLanguage() const { return m_language; }
    bool IsPlaying() const { return m_playing; }

private:
    // Creates the thumbnail strip inside m_panel_top.
    void CreateThumbnailStrip();
    void ConnectLayoutHandlers();
    void SetSpinRowLabels();
    // Tips of the toolbar tools and the look of the play tool and its item.
    void SetToolTexts();
    // Saves the project file; false when nothing was saved.
    bool SaveProject();
    // Asks about unsaved work; false when the user keeps it (Cancel, or a
    // save that did not happen).
    bool ConfirmDiscardWork();
    // Clears the strip and reads the project at `path`; an unreadable file
    // is reported only when `tellUnreadable`.
    void OpenProjectFile(const wxString& path, bool tellUnreadable);
    // The order of the frames changed in the strip.
    void OnThumbnailItemsMoved(wxThumbnailEvent& event);
    void OnMoveFrames(wxCommandEvent& event);
    // Undo and redo (gifframe_edits.cpp). The work as it stands, to be
    // given back by undo or redo.
    WorkSnapshot CaptureWork() const;
    // Records the edit that led from `before` to the work as it stands as
    // one step (nothing when the work is the same); `pool` holds the
    // entries the edit took out of the strip.
    void RecordEdit(EditKind kind, int frames, const WorkSnapshot& before, FramePool pool = {});
    // Puts the frames of `frames` into the strip in that order, taking them
    // from `pool` and leaving there the entries that the strip held beyond
    // them; `selected` become the selection.
    void ArrangeFrames(const std::vector<wxThumbnailItem*>& frames, const std::vector<wxThumbnailItem*>& selected,
                       FramePool& pool);
    // Gives back the work of a snapshot, with the window following it.
    void ApplyWork(const WorkSnapshot& work, FramePool& pool);
    // A fresh history (opening a project, restoring after a crash).
    void ClearHistory();
    // The Undo and Redo items name their steps and are enabled when there is
    // one and no load or save runs.
    void UpdateHistoryItems();
    // Ends the merging of consecutive edits of one control.
    void CloseOpenEdit();
    // A frame operation that rearranges the selected (else all) frames.
    void ApplyFrameOperation(EditKind kind, const std::vector<int>& sources, const std::vector<int>& selected);
    void ShowStripMenu(const wxPoint& at);
    // Enables the frame operations of `menu` that would change something.
    void EnableFrameOperations(wxMenu& menu) const;
    void OnMenuOpen(wxMenuEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    void OnSelectAll(wxCommandEvent& event);
    void OnFrameOperation(wxCommandEvent& event);
    void OnEveryNth(wxCommandEvent& event);
    void OnStripContextMenu(wxContextMenuEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnSpinFocusLost(wxFocusEvent& event);

    // Keeps the window from shrinking below what the spin row needs.
    void UpdateMinimumSize();
    // The frames, delay and size as a saved file would hold them.
    WorkState CurrentWorkState() const;
    // Asks with `ask` for a file to write until the answer can be used: a
    // name with wildcards is asked again, and an existing file that the
    // added `extension` lands on is replaced only after a question. Returns
    // the path with its extension; empty when cancelled.
    wxString ChooseTargetPath(const std::function<wxString()>& ask, const wxString& extension);
    // The work's GIF is forgotten: the next Save asks where to write.
    void ForgetGifFile();
    // Offers the work of an abandoned recovery copy; true when it is being
    // restored.
    bool OfferRecovery();
    void OnRecoveryTimer(wxTimerEvent& event);
    // The question whether to save the work first; returns the button.
    int AskToSaveProject(bool canCancel);
    // Applies the values read from a project file and loads its frames.
    void ApplyProject(const ProjectContent& content);
    // The end of loading an opened project's frames.
    void FinishProjectLoad();
    // Records the current work as the project's saved state.
    void RecordProjectState();
    // The title: the project's name, if the work has a project file, and
    // the product's.
    void UpdateTitle();
    // Loads `paths` on the worker, asking for the part of each video clip;
    // the frames go before position `insertAt`, or at the end for -1. False
    // when nothing was started.
    bool AddImageFiles(const wxArrayString& paths, int insertAt);
    // What a run reads for `paths`: each clip's part as the user chooses it
    // (a clip whose dialog is cancelled is left aside); `clipRate` is the
    // first chosen clip's rate, 0 without one. False when nothing is left
    // to read.
    bool ChooseLoadSources(const wxArrayString& paths, std::vector<LoadSource>& sources, double& clipRate);
    // Starts the loading worker behind the progress dialog; false, after
    // telling the user, when it could not be started.
    bool StartLoadRun(const std::vector<LoadSource>& sources, int insertAt);
    // Cancel in the progress dialog: the worker stops and the run ends as
    // usual with what it delivered.
    void CancelLoadRun();
    // The end of a loading run: dialog closed, size and preview refreshed.
    void FinishLoadRun(const std::vector<LeftOutFile>& leftOut, const FrameStoreRefusal& refusal);
    // Stops a loading run at once; nothing more of it reaches the window.
    void AbandonLoadRun();
    void CloseLoadProgress();
    void ReportLeftOutFiles(const std::vector<LeftOutFile>& leftOut);
    // Says how many frames a run added before the frame store was full.
    void ReportStoreRefusal(int added, const FrameStoreRefusal& refusal);
    // Writes the frames to m_gif_path on the save worker behind the progress
    // dialog titled `title`; false (after telling the user) when the worker
    // could not be started.
    bool StartSave(const wxString& title);
    // Waits for a running save to finish; nothing more of it reaches the window.
    void AwaitSave();
    void CloseSaveProgress();
    // Ends the update check's wait: nothing more of it reaches the window.
    void AbandonUpdateCheck();
    // The side the user typed keeps its value and the other follows the
    // frames' ratio (taken from the reference size).
    void FollowEditedSide(int typed, int& outTyped, int& outOther, int refTyped, int refOther, wxSpinCtrl* otherControl);
    // Sets the ranges of the size controls for the reference size.
    void LimitSizeControls();
    // Writes status field 0 for a size the user typed.
    void ShowEditedSize(int width, int height);
    // Fits m_shown_image into the preview panel at its current size.
    void PlaceShownFrame();
    // Asks the frame store for the frames the playing preview shows after `index`.
    void PrefetchAfter(int index);
    void OnPaintPreview(wxPaintEvent& event);
    void OnSizePreview(wxSizeEvent& event);

    // Menu, tool and control commands.
    void OnSave(wxCommandEvent& event);
    void OnSaveAs(wxCommandEvent& event);
    void OnOpenProject(wxCommandEvent& event);
    void OnSaveProject(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnAddImage(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnInsertImage(wxCommandEvent& event);
    void OnClearAll(wxCommandEvent& event);
    void OnRunAnimation(wxCommandEvent& event);
    void OnLoopCount(wxCommandEvent& event);
    void OnGifOptions(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnSupport(wxCommandEvent& event);
    void OnCheckUpdate(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnSelectLanguage(wxCommandEvent& event);
    void OnPreviewTimer(wxTimerEvent& event);
    void OnSetDelay(wxCommandEvent& event);
    void OnSetWidth(wxCommandEvent& event);
    void OnSetHeight(wxCommandEvent& event);
    void OnChangeSplitterWindow(wxSplitterEvent& event);
    void OnThumbnailLeftClick(wxThumbnailEvent& event);
    void OnThumbnailRightClick(wxThumbnailEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnUpdateCheckDone(wxCommandEvent& event);
    void OnImageLoadUpdate(wxCommandEvent& event);
    void OnSaveGifUpdate(wxCommandEvent& event);

    wxSplitterWindow* m_splitter3 = nullptr;
    wxPanel* m_panel_top = nullptr;
    wxPanel* m_panel_down = nullptr;
    wxProgressDialog* m_load_progress = nullptr;
    wxProgressDialog* m_save_progress = nullptr;

    wxMenuBar* m_menubar = nullptr;
    wxMenu* m_menu_file = nullptr;
    wxMenu* m_menu_frame = nullptr;
    wxMenu* m_menu_animation = nullptr;
    wxMenu* m_menu_help = nullptr;
    wxMenuItem* m_item_open_project = nullptr;
    wxMenuItem* m_item_save = nullptr;
    wxMenuItem* m_item_save_as = nullptr;
    wxMenuItem* m_item_save_project = nullptr;
    wxMenuItem* m_item_exit = nullptr;
    wxMenuItem* m_item_add_image = nullptr;
    wxMenuItem* m_item_delete = nullptr;
    wxMenuItem* m_item_clear_all = nullptr;
    wxMenuItem* m_item_undo = nullptr;
    wxMenuItem* m_item_redo = nullptr;
    std::vector<wxMenuItem*> m_frame_operation_items; // Select All ... Duplicate
    wxMenuItem* m_item_run_animation = nullptr;
    wxMenuItem* m_item_loop_count = nullptr;
    wxMenuItem* m_item_gif_options = nullptr;
    wxMenuItem* m_item_help = nullptr;
    wxMenu* m_menu_language = nullptr;
    wxMenuItem* m_item_support = nullptr;
    wxMenuItem* m_item_check_update = nullptr;
    wxMenuItem* m_item_about = nullptr;
    wxMenuItem* m_item_lang_zh_cn = nullptr;
    wxMenuItem* m_item_lang_zh_tw = nullptr;
    wxMenuItem* m_item_lang_de = nullptr;
    wxMenuItem* m_item_lang_en = nullptr;
    wxMenuItem* m_item_lang_fr = nullptr;
    wxMenuItem* m_item_lang_it = nullptr;
    wxMenuItem* m_item_lang_ja = nullptr;

    wxStaticText* m_staticText_delay = nullptr;
    wxStaticText* m_staticText_sec = nullptr;
    wxStaticText* m_staticText_gif = nullptr;
    wxStaticText* m_staticText_width = nullptr;
    wxStaticText* m_staticText_wpx = nullptr;
    wxStaticText* m_staticText_height = nullptr;
    wxStaticText* m_staticText_hpx = nullptr;

    // The work as of the last project open or save, and as of the last GIF
    // save (empty: not saved).
    WorkState m_project_state;
    WorkState m_gif_state;
    // How Save encodes, as last chosen in the GIF options (kept between runs).
    GifChoices m_gif_choices;

    wxToolBar* m_toolBar_button = nullptr;
    wxThumbnailCtrl* m_thumbnail_ctrl = nullptr;
    wxTimer m_timer;

    int m_ref_width = 0;
    int m_ref_height = 0;
    int m_out_width = 0;
    int m_out_height = 0;

    wxString m_gif_path;
    wxString m_gif_name;
    wxString m_project_path;
    wxString m_project_file_name;
    wxString m_image_path;
    wxImage m_shown_image; // the frame last drawn in the preview, at its own size
    FramePicturePtr m_shown_picture; // the store's picture m_shown_image views

    int m_preview_index = 0;
    int m_loop_count = 0;
    int m_loops_played = 0;
    int m_language = 0;

    wxSpinCtrl* m_spinctrl_delay = nullptr;
    wxSpinCtrl* m_spinctrl_width = nullptr;
    wxSpinCtrl* m_spinctrl_height = nullptr;
    wxStatusBar* m_statusBar1 = nullptr;

    // Set while the frames of an opened project load: when they have, the
    // project counts as saved as it then stands.
    bool m_loading_project = false;
    // Set while the frames of a recovery copy load: the work then counts as
    // unsaved, and these files open after it.
    bool m_restoring = false;
    wxArrayString m_after_restore;
    // This window's recovery copy, refreshed by m_recovery_timer; the copy a
    // restore came from stays until this window's own copy stands.
    std::unique_ptr<RecoveryCopy> m_recovery;
    std::unique_ptr<AbandonedCopy> m_abandoned;
    wxTimer m_recovery_timer;

    std::unique_ptr<wxLocale> m_frame_locale;
    bool m_playing = false;
    wxBitmap m_play_bitmap; // idle look of the play tool, read on first use
    wxBitmap m_stop_bitmap; // running look, read on first use

    // What the preview panel paints: the shown frame at its place.
    wxBitmap m_preview_bitmap;
    wxRect m_preview_rect;

    FileChooser m_choose_files;
    SavePathChooser m_choose_save_path;
    ProjectPathChooser m_choose_project_path;
    WorkerStarter m_start_worker;
    MenuShower m_show_menu;
    std::shared_ptr<WorkerLink> m_load_link; // set while a loading run is on
    int m_load_insert_at = -1;               // where the run's next frame goes; -1: at the end
    bool m_load_cancelled = false;           // the user cancelled the run
    int m_load_added = 0; // frames the current loading run has added
    std::shared_ptr<WorkerLink> m_save_link; // set while a save is on
    std::shared_ptr<WorkerLink> m_update_link; // set while the update check runs

    // Undo and redo: at most kHistorySteps steps. An Add Image run is one
    // step from the work before it to the work after its last frame.
    std::unique_ptr<wxCommandProcessor> m_history;
    std::unique_ptr<WorkSnapshot> m_load_before;

    wxDECLARE_EVENT_TABLE();
};
