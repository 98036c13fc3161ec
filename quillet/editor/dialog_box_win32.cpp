#include "editor/dialog_box.h"

namespace quillet {

INT_PTR runDialogBox(HINSTANCE instance, int templateId, DLGPROC procedure, LPARAM parameter) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), GetActiveWindow(), procedure, parameter);
}

}  // namespace quillet
