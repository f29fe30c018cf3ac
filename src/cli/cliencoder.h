#pragma once
// gloamer-cli without its entry: reads the pictures, composes and reduces each
// frame and writes the animation, so tests can run it in-process too.

#include <wx/string.h>

#include <ostream>
#include <vector>

// Runs the encoder on the arguments (without the program name). Returns the
// process exit status: 0 done, 1 failed, 2 wrong command line. Errors go to
// `err` as one line each, --help to `out`.
int RunCliEncoder(const std::vector<wxString>& args, std::ostream& out, std::ostream& err);
