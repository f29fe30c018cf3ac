#pragma once
// The application object: brings the toolkit up, loads the layouts and the
// settings file, creates the main window, and tears the settings down.

#include <wx/app.h>

#include <memory>

class GifFrame;
class wxLocale;

class GifApp : public wxApp
{
public:
    GifApp();
    ~GifApp() override;

    bool OnInit() override;
    int OnExit() override;
    int OnRun() override;

private:
    GifFrame* m_frame = nullptr; // owned by the toolkit as a top-level window
    std::unique_ptr<wxLocale> m_locale;
    int m_exitCode = -1; // set when the command line ends the program at once
};

wxDECLARE_APP(GifApp);
