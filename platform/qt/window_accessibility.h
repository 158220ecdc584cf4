#pragma once
// What a screen reader is told about the program's windows and pages.
namespace qd {

// Before the application object exists: the embedded browser's pages are
// offered to the desktop's accessibility bus (the engine keeps them to itself
// otherwise).
void offer_pages_to_screen_readers();

// Top-level windows made of a plain widget report themselves as a frame
// named by their title, as main windows and dialogs do, instead of an
// unnamed filler.
void install_window_accessibility();

}  // namespace qd
