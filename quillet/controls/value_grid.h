// The value grid: a child window of the editor dialog that shows one row per
// note number of the scale, highest note first, each a label with the note's
// name and an edit field with its flag number (empty: no value). Only the
// rows that fit exist; the vertical scroll bar, the mouse wheel and the keys
// Up, Down, Page Up, Page Down, Home and End in a row move them over the
// scale, the keys taking the focus along from row to row. The grid owns the value array; the dialog talks to it only
// through the four messages below, by the typed functions after them.
#pragma once

#include <windows.h>

#include <vector>

#include "model/note_values.h"

namespace quillet {

// First parameter: RangeLow in the low and RangeHigh in the high 16 bits,
// each signed. Fills every record by interpolation and shows it.
constexpr UINT VGM_FILL = WM_APP + 1;
// Second parameter: the caller's array. The grid first takes over what is
// typed in the visible rows, then copies its records into it.
constexpr UINT VGM_GETVALUES = WM_APP + 2;
// Second parameter: an array whose records replace the grid's; what is typed
// is not taken over first.
constexpr UINT VGM_SETVALUES = WM_APP + 3;
// First parameter: the new ScaleLow in the low and ScaleHigh in the high 16
// bits, unsigned. Rebuilds the rows; every record becomes empty.
constexpr UINT VGM_SETSCALE = WM_APP + 4;
// With VGM_GETVALUES and VGM_SETVALUES the first parameter carries the number
// of records in the caller's array, and the grid copies no more than that,
// so no array is overrun even if the two scales ever disagreed.

extern const wchar_t kValueGridClass[];

// Registers the window class; a second registration fails harmlessly.
void registerValueGrid(HINSTANCE instance);
// The grid over `area` (client coordinates of the dialog) for the scale,
// which must be usable (isUsableScale).
HWND createValueGrid(HWND dialog, const RECT& area, Scale scale, HINSTANCE instance);

void fillValueGrid(HWND grid, int16_t rangeLow, int16_t rangeHigh);
// A fresh array for the scale, filled by the grid.
std::vector<NoteValue> valueGridValues(HWND grid, Scale scale);
void setValueGridValues(HWND grid, const std::vector<NoteValue>& values);
void setValueGridScale(HWND grid, Scale scale);

}  // namespace quillet
