#include "controls/value_grid.h"

#include <algorithm>
#include <string>

#include "model/field_text.h"
#include "model/note_label.h"
#include "controls/window_text.h"

namespace quillet {

const wchar_t kValueGridClass[] = L"{655D0012-9196-4dd4-851C-18B821CAE089}";

namespace {

// Row k is the label 100 + k and the edit 500 + k, both children of the grid.
constexpr int kFirstLabel = 100;
constexpr int kFirstEdit = 500;
constexpr int kEditLimit = 6;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT;
constexpr int kReadUnits = 15;

// One grid exists per process, the editor dialog's, and this is its state.
// low and high come from 16-bit halves, so the array has at most 65,536
// records.
struct GridState {
  int32_t low = 0, high = 0;
  std::vector<NoteValue> values;  // record i is note low + i
  int rowCount = 0;
  int32_t topNote = 0;  // the note of the first row
  int wheelDelta = 0;   // wheel movement short of a whole notch
  WNDPROC editProc = nullptr;  // the row edits' own procedure, which rowEditProc hands on to
};

GridState state;

HWND rowLabel(HWND grid, int row) { return GetDlgItem(grid, kFirstLabel + row); }
HWND rowEdit(HWND grid, int row) { return GetDlgItem(grid, kFirstEdit + row); }

bool recordIndex(int32_t note, size_t& index) {
  int64_t offset = int64_t{note} - state.low;
  if (offset < 0 || offset >= static_cast<int64_t>(state.values.size())) return false;
  index = static_cast<size_t>(offset);
  return true;
}

void showFrom(HWND grid, int32_t top) {
  for (int row = 0; row < state.rowCount; ++row) {
    int32_t note = top - row;
    HWND label = rowLabel(grid, row), edit = rowEdit(grid, row);
    if (note < state.low) {
      ShowWindow(label, SW_HIDE);
      ShowWindow(edit, SW_HIDE);
      continue;
    }
    ShowWindow(label, SW_SHOWNA);
    ShowWindow(edit, SW_SHOWNA);
    std::string name = noteLabel(note);
    SetWindowTextW(label, std::wstring(name.begin(), name.end()).c_str());
    size_t index = 0;
    if (recordIndex(note, index))
      SetWindowTextW(edit, state.values[index].empty ? L"" : std::to_wstring(state.values[index].value).c_str());
  }
  state.topNote = top;
}

// Typed text reaches the values only here: when the view moves and when the
// dialog asks for the values.
void commit(HWND grid) {
  for (int row = 0; row < state.rowCount; ++row) {
    HWND edit = rowEdit(grid, row);
    size_t index = 0;
    if (!IsWindowEnabled(edit) || !recordIndex(state.topNote - row, index)) continue;
    std::wstring text = windowText(edit, kReadUnits);
    state.values[index].empty = text.empty();
    if (!text.empty()) state.values[index].value = fieldNumber(text);
  }
}

LRESULT CALLBACK rowEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

HWND createRowControl(HWND grid, DWORD extendedStyle, const wchar_t* type, DWORD style, const RECT& place, int id) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(grid, GWLP_HINSTANCE));
  return CreateWindowExW(extendedStyle, type, L"", style, place.left, place.top, place.right - place.left,
                         place.bottom - place.top, grid, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                         nullptr);
}

// Rows are laid out in the dialog's units and exist only while they fit.
void createRows(HWND grid) {
  HWND dialog = GetParent(grid);
  auto font = static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  RECT client;
  GetClientRect(grid, &client);
  for (int row = 0; static_cast<size_t>(row) < state.values.size(); ++row) {
    int y = 18 + 18 * row;
    RECT label = {7, y - 9, 36, y}, edit = {50, y - 11, 80, y + 3};
    MapDialogRect(dialog, &label);
    MapDialogRect(dialog, &edit);
    if (label.bottom >= client.bottom) break;
    HWND name = createRowControl(grid, 0, L"STATIC", WS_CHILD | WS_VISIBLE, label, kFirstLabel + row);
    HWND field = createRowControl(grid, WS_EX_CLIENTEDGE, L"EDIT", kEditStyle, edit, kFirstEdit + row);
    SendMessageW(name, WM_SETFONT, font, FALSE);
    SendMessageW(field, WM_SETFONT, font, FALSE);
    SendMessageW(field, EM_LIMITTEXT, kEditLimit, 0);
    state.editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(rowEditProc)));
    state.rowCount = row + 1;
  }
}

void rebuild(HWND grid, uint16_t low, uint16_t high) {
  state.low = low;
  state.high = high;
  state.values = emptyValues(Scale{low, high});
  for (int row = 0; row < state.rowCount; ++row) {
    DestroyWindow(rowLabel(grid, row));
    DestroyWindow(rowEdit(grid, row));
  }
  state.rowCount = 0;
  createRows(grid);
  int last = std::max(static_cast<int>(state.values.size()) - 1, 0);
  SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, last, static_cast<UINT>(state.rowCount), 0, 0};
  SetScrollInfo(grid, SB_VERT, &info, TRUE);
  showFrom(grid, state.high);
}

// Scroll position p shows note high - p in the first row. Left open where the
// grid stops: the scroll bar itself stops at count - rowCount, and so does
// the grid, so the thumb always matches the rows and no empty rows show
// below the lowest note.
void moveBy(HWND grid, const SCROLLINFO& info, int64_t change) {
  if (change == 0) return;
  int64_t last = std::max<int64_t>(info.nMin, int64_t{info.nMax} - std::max<UINT>(info.nPage, 1) + 1);
  int position = static_cast<int>(std::clamp<int64_t>(info.nPos + change, info.nMin, last));
  if (position == info.nPos) return;
  commit(grid);
  SetScrollPos(grid, SB_VERT, position, TRUE);
  showFrom(grid, state.high - position);
}

SCROLLINFO scrollInfo(HWND grid) {
  SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(grid, SB_VERT, &info);
  return info;
}

void scroll(HWND grid, int code) {
  SCROLLINFO info = scrollInfo(grid);
  switch (code) {
    case SB_LINEUP: return moveBy(grid, info, -1);
    case SB_LINEDOWN: return moveBy(grid, info, 1);
    case SB_PAGEUP: return moveBy(grid, info, -int64_t{info.nPage});
    case SB_PAGEDOWN: return moveBy(grid, info, info.nPage);
    case SB_THUMBTRACK: return moveBy(grid, info, int64_t{info.nTrackPos} - info.nPos);
    case SB_TOP: return moveBy(grid, info, -int64_t{info.nPos});
    case SB_BOTTOM: return moveBy(grid, info, int64_t{info.nMax} - info.nPos);
    default: return;
  }
}

// The wheel scrolls like the scroll bar, by the user's lines per notch (or a
// page), turned forward towards the higher notes. It reaches the grid from
// the focused row edit, which passes it on to its parent.
void turnWheel(HWND grid, int delta) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  state.wheelDelta += delta;
  int notches = state.wheelDelta / WHEEL_DELTA;
  state.wheelDelta %= WHEEL_DELTA;
  SCROLLINFO info = scrollInfo(grid);
  int64_t step = lines == WHEEL_PAGESCROLL ? int64_t{info.nPage} : int64_t{lines};
  moveBy(grid, info, -notches * step);
}

// The note a navigation key in a row goes to from `note`; false for other keys.
// Shift with Home or End selects in the edit, as the user expects there.
bool keyTarget(WPARAM key, int32_t note, int page, int32_t& target) {
  switch (key) {
    case VK_UP: target = note + 1; break;
    case VK_DOWN: target = note - 1; break;
    case VK_PRIOR: target = note + page; break;
    case VK_NEXT: target = note - page; break;
    case VK_HOME: target = state.high; break;
    case VK_END: target = state.low; break;
    default: return false;
  }
  if ((key == VK_HOME || key == VK_END) && GetKeyState(VK_SHIFT) < 0) return false;
  target = std::clamp(target, state.low, state.high);
  return true;
}

// Moves the focus from a row to the row of the target note, scrolling (and so
// committing) as little as shows it; Page Up and Page Down scroll a page.
// The dialog manager selects the new row's text, as Tab does.
bool moveFocus(HWND grid, int row, WPARAM key) {
  int32_t target = 0;
  if (!keyTarget(key, state.topNote - row, state.rowCount, target)) return false;
  SCROLLINFO info = scrollInfo(grid);
  int64_t fromTop = int64_t{state.high} - target;
  int64_t last = std::max<int64_t>(0, int64_t{info.nMax} - state.rowCount + 1);
  int64_t page = key == VK_PRIOR ? -state.rowCount : key == VK_NEXT ? state.rowCount : 0;
  int64_t position = std::clamp<int64_t>(info.nPos + page, std::max<int64_t>(0, fromTop - state.rowCount + 1),
                                         std::min(last, fromTop));
  moveBy(grid, info, position - info.nPos);
  HWND edit = rowEdit(grid, static_cast<int>(int64_t{state.topNote} - target));
  SendMessageW(GetParent(grid), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
  return true;
}

LRESULT CALLBACK rowEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && moveFocus(GetParent(edit), GetDlgCtrlID(edit) - kFirstEdit, wParam)) return 0;
  return CallWindowProcW(state.editProc, edit, message, wParam, lParam);
}

// The caller's array holds `count` records; no more are copied either way.
void copyOut(HWND grid, size_t count, NoteValue* to) {
  commit(grid);
  std::copy_n(state.values.begin(), std::min(count, state.values.size()), to);
}

void copyIn(HWND grid, size_t count, const NoteValue* from) {
  state.values = emptyValues(Scale{state.low, state.high});
  std::copy_n(from, std::min(count, state.values.size()), state.values.begin());
  showFrom(grid, state.topNote);
}

LRESULT CALLBACK valueGridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      void* parameter = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
      auto packed = static_cast<DWORD>(reinterpret_cast<uintptr_t>(parameter));
      rebuild(grid, LOWORD(packed), HIWORD(packed));
      return 0;
    }
    case WM_DESTROY:
      state.values = std::vector<NoteValue>();
      state.rowCount = 0;
      return 0;
    case WM_SETFOCUS:
      if (HWND first = rowEdit(grid, 0)) SetFocus(first);
      return 0;
    case WM_VSCROLL:
      scroll(grid, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      turnWheel(grid, GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case VGM_FILL:
      if (!state.values.empty()) {
        fillLinear(state.values, static_cast<int16_t>(LOWORD(wParam)), static_cast<int16_t>(HIWORD(wParam)));
        showFrom(grid, state.topNote);
      }
      return 0;
    case VGM_GETVALUES:
      copyOut(grid, wParam, reinterpret_cast<NoteValue*>(lParam));
      return 0;
    case VGM_SETVALUES:
      copyIn(grid, wParam, reinterpret_cast<const NoteValue*>(lParam));
      return 0;
    case VGM_SETSCALE:
      rebuild(grid, LOWORD(wParam), HIWORD(wParam));
      return 0;
    default:
      return DefWindowProcW(grid, message, wParam, lParam);
  }
}

}  // namespace

void registerValueGrid(HINSTANCE instance) {
  WNDCLASSW type = {};
  type.style = CS_HREDRAW | CS_VREDRAW;
  type.lpfnWndProc = valueGridProc;
  type.hInstance = instance;
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = kValueGridClass;
  RegisterClassW(&type);
}

HWND createValueGrid(HWND dialog, const RECT& area, Scale scale, HINSTANCE instance) {
  auto packed = static_cast<uintptr_t>(static_cast<DWORD>(MAKELONG(scale.low, scale.high)));
  // A control parent: the dialog's Tab reaches every row's edit.
  return CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, kValueGridClass, L"",
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP,
                         area.left, area.top, area.right - area.left, area.bottom - area.top, dialog, nullptr,
                         instance, reinterpret_cast<void*>(packed));
}

void fillValueGrid(HWND grid, int16_t rangeLow, int16_t rangeHigh) {
  SendMessageW(grid, VGM_FILL, MAKEWPARAM(static_cast<uint16_t>(rangeLow), static_cast<uint16_t>(rangeHigh)), 0);
}

std::vector<NoteValue> valueGridValues(HWND grid, Scale scale) {
  std::vector<NoteValue> values = emptyValues(scale);
  SendMessageW(grid, VGM_GETVALUES, values.size(), reinterpret_cast<LPARAM>(values.data()));
  return values;
}

void setValueGridValues(HWND grid, const std::vector<NoteValue>& values) {
  SendMessageW(grid, VGM_SETVALUES, values.size(), reinterpret_cast<LPARAM>(values.data()));
}

void setValueGridScale(HWND grid, Scale scale) {
  SendMessageW(grid, VGM_SETSCALE, MAKEWPARAM(scale.low, scale.high), 0);
}

}  // namespace quillet
