#include "editor/editor_dialog.h"

#include <algorithm>
#include <utility>

#include "storage/configuration_store.h"
#include "model/field_text.h"
#include "model/note_label.h"
#include "controls/value_grid.h"
#include "controls/window_text.h"
#include "editor/dialog_box.h"
#include "model/graded_flags.h"
#include "editor/messages.h"
#include "editor/preview.h"
#include "model/project_document.h"
#include "resources/resource.h"

namespace quillet {
namespace {

// What typing may enter; the Flag field can hold more when stored settings
// set it, and the range fields show any stored 32-bit number.
constexpr int kFlagLimit = 1, kNoteLimit = 3, kRangeLimit = 6;
constexpr int kNumberUnits = 15;
// Longer than any key name the registry takes (255).
constexpr int kNameUnits = 260;

// The one dialog's state, reached from its window.
struct EditorDialog {
  HINSTANCE instance = nullptr;
  std::wstring pluginPath;
  std::string pluginBytes;  // the plug-in file as loaded, which Play copies for sondrel
  ProjectDocument document;  // as loaded; never changed
  Scale scale;
  HWND grid = nullptr;
  // Play waits for sondrel while serving messages; commands posted meanwhile
  // still arrive and must not run a second preview or close the dialog.
  bool previewing = false;
};

std::wstring fieldText(HWND dialog, int id, int maxUnits) { return windowText(GetDlgItem(dialog, id), maxUnits); }
void setFieldText(HWND dialog, int id, const std::wstring& text) { SetDlgItemTextW(dialog, id, text.c_str()); }
void setFieldNumber(HWND dialog, int id, int32_t number) { setFieldText(dialog, id, std::to_wstring(number)); }
int32_t rangeField(HWND dialog, int id) { return fieldNumber(fieldText(dialog, id, kNumberUnits)); }
int32_t noteField(HWND dialog, int id) { return parseNoteLabel(asciiText(fieldText(dialog, id, kNoteLimit))); }

void showScale(HWND dialog, Scale scale) {
  std::string low = noteLabel(scale.low), high = noteLabel(scale.high);
  setFieldText(dialog, IDC_LOW_NOTE, std::wstring(low.begin(), low.end()));
  setFieldText(dialog, IDC_HIGH_NOTE, std::wstring(high.begin(), high.end()));
}

Settings currentSettings(HWND dialog, const EditorDialog& editor) {
  Settings settings;
  settings.flag = fieldText(dialog, IDC_FLAG, kMaxFlagLength);
  settings.scale = editor.scale;
  settings.rangeLow = rangeField(dialog, IDC_RANGE_LOW);
  settings.rangeHigh = rangeField(dialog, IDC_RANGE_HIGH);
  settings.values = valueGridValues(editor.grid, editor.scale);
  return settings;
}

void showSettings(HWND dialog, EditorDialog& editor, const Settings& settings, bool scaleRead) {
  setFieldText(dialog, IDC_FLAG, settings.flag);
  if (scaleRead) {
    editor.scale = settings.scale;
    showScale(dialog, editor.scale);
    setValueGridScale(editor.grid, editor.scale);
  }
  setValueGridValues(editor.grid, settings.values);
  setFieldNumber(dialog, IDC_RANGE_LOW, settings.rangeLow);
  setFieldNumber(dialog, IDC_RANGE_HIGH, settings.rangeHigh);
}

void moveDialog(HWND dialog, LONG left, LONG top) {
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void centre(HWND dialog) {
  RECT desktop, window;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(dialog, &window);
  moveDialog(dialog, window.left + (desktop.right - desktop.left - (window.right - window.left)) / 2,
             window.top + (desktop.bottom - desktop.top - (window.bottom - window.top)) / 2);
}

// A stored position is taken only where the user can still grab the dialog:
// the middle of its caption bar must lie on a screen. A monitor unplugged
// since, or a hostile value, would otherwise put it out of reach.
bool onScreen(HWND dialog, const WindowRect& stored) {
  RECT window;
  GetWindowRect(dialog, &window);
  int64_t x = int64_t{stored.left} + (window.right - window.left) / 2;
  int64_t y = int64_t{stored.top} + GetSystemMetrics(SM_CYCAPTION) / 2;
  if (x > INT32_MAX || y > INT32_MAX) return false;
  POINT middle = {static_cast<LONG>(x), static_cast<LONG>(y)};
  return MonitorFromPoint(middle, MONITOR_DEFAULTTONULL) != nullptr;
}

void restore(HWND dialog, EditorDialog& editor) {
  MainKeyState stored = restoreMainKey(editor.scale);
  if (!stored.found) {
    setFieldText(dialog, IDC_FLAG, L"g");
    setFieldNumber(dialog, IDC_RANGE_LOW, 0);
    setFieldNumber(dialog, IDC_RANGE_HIGH, 0);
    return;
  }
  if (stored.hasPosition && onScreen(dialog, stored.position))
    moveDialog(dialog, stored.position.left, stored.position.top);
  showSettings(dialog, editor, stored.settings, stored.scaleRead);
}

void initialise(HWND dialog, EditorDialog& editor) {
  editor.pluginBytes = load(editor.document, editor.pluginPath);
  if (!documentScale(editor.document, editor.scale)) {
    EndDialog(dialog, IDCANCEL);
    return;
  }
  showScale(dialog, editor.scale);
  registerValueGrid(editor.instance);
  RECT place;
  GetWindowRect(GetDlgItem(dialog, IDC_GRID_PLACE), &place);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  editor.grid = createValueGrid(dialog, place, editor.scale, editor.instance);
  centre(dialog);
  SendDlgItemMessageW(dialog, IDC_FLAG, EM_LIMITTEXT, kFlagLimit, 0);
  for (int id : {IDC_LOW_NOTE, IDC_HIGH_NOTE}) SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, kNoteLimit, 0);
  for (int id : {IDC_RANGE_LOW, IDC_RANGE_HIGH}) SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, kRangeLimit, 0);
  for (const std::wstring& name : listConfigurations())
    SendDlgItemMessageW(dialog, IDC_CONFIGURATIONS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  restore(dialog, editor);
  // The user starts with the flag; the dialog's own choice would be OK.
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_FLAG)), TRUE);
}

// The document as loaded with what the dialog shows now.
ProjectDocument output(HWND dialog, const EditorDialog& editor) {
  std::vector<NoteValue> values = valueGridValues(editor.grid, editor.scale);
  char letter = 0;
  if (!flagLetter(fieldText(dialog, IDC_FLAG, kMaxFlagLength), letter)) return editor.document;
  return withValues(editor.document, editor.scale, values, letter);
}

// A failed write keeps the dialog open: closing with OK would hand the host
// editor the plug-in file as it came in. The user can try again or cancel.
void writeOutputAndClose(HWND dialog, EditorDialog& editor) {
  if (!save(output(dialog, editor), editor.pluginPath)) {
    tellFailure(dialog, IDS_OUTPUT_NOT_WRITTEN, GetLastError(), editor.pluginPath);
    return;
  }
  RECT window;
  GetWindowRect(dialog, &window);
  saveMainKey(WindowRect{window.left, window.top, window.right, window.bottom}, currentSettings(dialog, editor));
  EndDialog(dialog, IDOK);
}

void fillGrid(HWND dialog, EditorDialog& editor) {
  int32_t low = noteField(dialog, IDC_LOW_NOTE), high = noteField(dialog, IDC_HIGH_NOTE);
  int32_t rangeLow = rangeField(dialog, IDC_RANGE_LOW), rangeHigh = rangeField(dialog, IDC_RANGE_HIGH);
  Scale wanted{std::min(low, high), std::max(low, high)};
  // A pair the grid cannot hold counts like a name that does not parse: the
  // scale stays, and the fill runs over it.
  if (isUsableScale(wanted) && (low != editor.scale.low || high != editor.scale.high)) {
    if (high < low) {
      // The notes trade places, and each range number goes with its note.
      std::wstring lowText = fieldText(dialog, IDC_LOW_NOTE, kNoteLimit);
      setFieldText(dialog, IDC_LOW_NOTE, fieldText(dialog, IDC_HIGH_NOTE, kNoteLimit));
      setFieldText(dialog, IDC_HIGH_NOTE, lowText);
      setFieldNumber(dialog, IDC_RANGE_LOW, rangeHigh);
      setFieldNumber(dialog, IDC_RANGE_HIGH, rangeLow);
      std::swap(rangeLow, rangeHigh);
    }
    editor.scale = wanted;
    setValueGridScale(editor.grid, editor.scale);
  }
  fillValueGrid(editor.grid, toRangeHalf(rangeLow), toRangeHalf(rangeHigh));
}

void preview(HWND dialog, EditorDialog& editor) {
  editor.previewing = true;
  runPreview(dialog, editor.pluginPath, editor.pluginBytes, formatDocument(output(dialog, editor)));
  editor.previewing = false;
}

// Configurations are named by the combo box's text. Left open: the empty
// name, whose key path would end in a backslash and so name the
// configurations key itself; save, read and del ask for a name instead.
bool typedName(HWND dialog, std::wstring& name) {
  name = configurationName(fieldText(dialog, IDC_CONFIGURATIONS, kNameUnits));
  if (name.empty()) tellFailure(dialog, IDS_CONFIGURATION_NO_NAME, 0, name);
  return !name.empty();
}

// The list entry of exactly that name, without regard to case as the
// registry compares key names. The platform's prefix search would take
// "abc" for "ab", so that saving "ab" never listed it and deleting "ab"
// unlisted "abc", whose key stayed.
LRESULT listedIndex(HWND dialog, const std::wstring& name) {
  return SendDlgItemMessageW(dialog, IDC_CONFIGURATIONS, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(name.c_str()));
}

void saveNamed(HWND dialog, EditorDialog& editor) {
  std::wstring name;
  if (!typedName(dialog, name)) return;
  if (!saveConfiguration(name, currentSettings(dialog, editor)))
    return tellFailure(dialog, IDS_CONFIGURATION_NOT_SAVED, GetLastError(), name);
  if (listedIndex(dialog, name) == CB_ERR)
    SendDlgItemMessageW(dialog, IDC_CONFIGURATIONS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void tellNotReadOrDeleted(HWND dialog, UINT id, const std::wstring& name) {
  DWORD error = GetLastError();
  tellFailure(dialog, error == ERROR_FILE_NOT_FOUND ? IDS_CONFIGURATION_NOT_FOUND : id, error, name);
}

void readNamed(HWND dialog, EditorDialog& editor) {
  std::wstring name;
  if (!typedName(dialog, name)) return;
  Settings settings;
  bool scaleRead = false;
  if (!readConfiguration(name, editor.scale, settings, scaleRead))
    return tellNotReadOrDeleted(dialog, IDS_CONFIGURATION_NOT_READ, name);
  showSettings(dialog, editor, settings, scaleRead);
}

// The list keeps showing what the registry holds: an entry goes only
// together with its key, or when its key is gone already.
void deleteNamed(HWND dialog) {
  std::wstring name;
  if (!typedName(dialog, name)) return;
  LRESULT index = listedIndex(dialog, name);
  if (!deleteConfiguration(name) && (index == CB_ERR || GetLastError() != ERROR_FILE_NOT_FOUND))
    return tellNotReadOrDeleted(dialog, IDS_CONFIGURATION_NOT_DELETED, name);
  if (index != CB_ERR)
    SendDlgItemMessageW(dialog, IDC_CONFIGURATIONS, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  setFieldText(dialog, IDC_CONFIGURATIONS, L"");
}

void command(HWND dialog, EditorDialog& editor, int id) {
  if (editor.previewing) return;
  switch (id) {
    case IDOK: return writeOutputAndClose(dialog, editor);
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return;
    case IDC_APPLY: return fillGrid(dialog, editor);
    case IDC_PLAY: return preview(dialog, editor);
    case IDC_SAVE: return saveNamed(dialog, editor);
    case IDC_READ: return readNamed(dialog, editor);
    case IDC_DELETE: return deleteNamed(dialog);
    default: return;
  }
}

INT_PTR CALLBACK editorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      initialise(dialog, *reinterpret_cast<EditorDialog*>(lParam));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      // Controls may notify before the dialog's record is stored.
      if (auto* editor = reinterpret_cast<EditorDialog*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
        command(dialog, *editor, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR runEditorDialog(HINSTANCE instance, const std::wstring& pluginPath, DWORD& error) {
  EditorDialog editor;
  editor.instance = instance;
  editor.pluginPath = pluginPath;
  INT_PTR end = runDialogBox(instance, IDD_EDITOR, editorDialogProc, reinterpret_cast<LPARAM>(&editor));
  error = end == IDOK || end == IDCANCEL ? ERROR_SUCCESS : GetLastError();
  return end;
}

}  // namespace quillet
