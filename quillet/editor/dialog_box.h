// The one call that creates the editor's window: a modal dialog from a
// template of the program, owned by the thread's active window. It lies in a
// file of its own so that a test build can link a replacement that fails as
// the system does when it cannot create the window (Wine's WoW64 cannot
// create the combo box of the 32-bit program).
#pragma once

#include <windows.h>

namespace quillet {

// The dialog's end value, or -1 (last error set) when it could not be shown.
INT_PTR runDialogBox(HINSTANCE instance, int templateId, DLGPROC procedure, LPARAM parameter);

}  // namespace quillet
