#pragma once
// The texts the main window puts together from its state: status-bar fields
// and the report of files a loading run left out. Translated where they are
// made, so they follow the current language.

#include <wx/string.h>

#include <cstddef>
#include <vector>

struct LeftOutFile;
struct FrameStoreRefusal;

// Field 1: "photo.png Width:640px,Height:480 px".
wxString FrameStatusText(const wxString& fileName, int width, int height);
// Field 0 after the user typed a width or height: "Untitled.gif (200 * 150)px"
// while no GIF is named, else "anim.gif (200 * 150)px".
wxString SizeEditedStatusText(const wxString& gifName, int width, int height);
// Field 0 after the size was derived from the frames: the same with the
// unit translated.
wxString SizeResetStatusText(const wxString& gifName, int width, int height);
// Field 0 after a project file gave the size: "Unititle.gif(200 * 150)px"
// while the project names no GIF, else "anim.gif(200 * 150)px".
wxString ProjectSizeStatusText(const wxString& gifName, int width, int height);
// "demo - Tavrinex Gloamer" for the project file "demo.xml".
wxString ProjectWindowTitle(const wxString& projectFileName, const wxString& productName);
// "These files of the project are missing:" and their paths.
wxString MissingFilesText(const std::vector<wxString>& paths);
// One message naming every file left out and why, and in a group of their
// own the damaged files that were added ("Added, but damaged:"); empty when
// there were none.
wxString LeftOutFilesMessage(const std::vector<LeftOutFile>& leftOut);
// Why a loading run stopped early: how many frames it added, and that the
// frame store could take no more.
wxString StoreFullMessage(int added, const FrameStoreRefusal& refusal, unsigned long long diskBudget,
                          std::size_t frameLimit);
