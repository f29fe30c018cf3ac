// Test entry for suites that need the GUI toolkit: a plain application object, no main window.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

wxIMPLEMENT_APP_NO_MAIN(wxApp);

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit())
        return 2;
    wxInitAllImageHandlers();
    const int rc = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
