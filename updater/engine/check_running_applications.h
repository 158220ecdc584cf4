#pragma once
// Before files are replaced, the product's own programs that are open on the
// desktop (windows whose title names both the router console and the product)
// are closed, one question per window.
#include "platform/dialogs.h"
#include "platform/top_windows.h"

namespace qd {

// Walks the top-level windows in the desktop's order. For each matching
// window (a web browser page about them, whose title also names "microsoft"
// and "explorer", is not one) it shows the window and asks whether to close
// it: Yes asks it to close, without waiting, and goes on; No stops the walk.
// Returns false when the user answered No.
bool CheckRunningApplications(TopWindows& windows, Dialogs& dialogs);

}  // namespace qd
