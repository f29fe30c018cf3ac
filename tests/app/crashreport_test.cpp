// A real crash in a child process: the report's folder keeps the archive and
// the time stamp, and the user is told where it is.

#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/regex.h>
#include <wx/utils.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <memory>
#include <set>

TEST(CrashReport, ACrashLeavesArchiveAndStampAndNamesTheFolderOnALineOfItsOwn)
{
    testsupport::TempDir temp;
    wxExecuteEnv env;
    wxGetEnvMap(&env.env);
    env.env["TMPDIR"] = temp.Path(); // the report's folder goes under it
    env.env["GLOAMER_CRASH_RECORD"] = temp.File("record");
    const long status = wxExecute(GLOAMER_STAGE_DIR "/bin/crash_report_child", wxEXEC_SYNC, nullptr, &env);
    EXPECT_NE(status, 0); // it did crash

    const wxString folder = wxString::FromUTF8(testsupport::ReadBytes(temp.File("record.folder")).c_str());
    ASSERT_TRUE(folder.StartsWith(temp.Path())) << folder;
    ASSERT_TRUE(wxDirExists(folder)) << folder;
    EXPECT_EQ(wxString::FromUTF8(testsupport::ReadBytes(temp.File("record.message")).c_str()),
              "Application have crashed due to some unknown reasons,\nPlease email the zip crashing report file that "
              "is generated in \n" + folder + "\n to us.");

    const wxString stamp = wxString::FromUTF8(testsupport::ReadBytes(folder + "/timestamp.my").c_str());
    EXPECT_TRUE(wxRegEx("^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$").Matches(stamp)) << stamp;

    // The archive holds the stamp beside what the toolkit collected.
    wxArrayString archives;
    ASSERT_EQ(wxDir::GetAllFiles(folder, &archives, "*.zip", wxDIR_FILES), 1u);
    wxFFileInputStream file(archives[0]);
    wxZipInputStream zip(file);
    std::set<wxString> names;
    for (std::unique_ptr<wxZipEntry> entry(zip.GetNextEntry()); entry; entry.reset(zip.GetNextEntry()))
        names.insert(entry->GetName());
    EXPECT_EQ(names.count("timestamp.my"), 1u);
    EXPECT_GT(names.size(), 1u);
}
