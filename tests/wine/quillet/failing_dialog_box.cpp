// Replaces the call that creates quillet's window with one that fails as the
// system does when it cannot create a control of the template.
#include "editor/dialog_box.h"

namespace quillet {

INT_PTR runDialogBox(HINSTANCE, int, DLGPROC, LPARAM) {
  SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
  return -1;
}

}  // namespace quillet
