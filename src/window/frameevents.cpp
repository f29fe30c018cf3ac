#include "window/frameevents.h"

const wxEventType EVT_THREAD_UPDATE = wxNewEventType();
const wxEventType EVT_UPDATE_CHECK_DONE = wxNewEventType();
