#pragma once
// Events the workers and the update check queue to the main window.

#include <wx/event.h>

// Progress of a worker: id ID_IMAGE_LOAD_UPDATE or ID_SAVE_GIF_UPDATE, the
// integer payload is a percentage and 100 ends the run.
extern const wxEventType EVT_THREAD_UPDATE;
// End of the update check: the string payload is the newest version found,
// empty when the check failed.
extern const wxEventType EVT_UPDATE_CHECK_DONE;
