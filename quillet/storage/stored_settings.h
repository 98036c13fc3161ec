// quillet's settings as the registry stores them, under the main key and
// under each named configuration: the value names' contents, their byte
// layouts, and how stored data that breaks the data model is repaired or
// ignored. Reading never trusts what it finds; the dialog always opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/note_values.h"

namespace quillet {

// Registry value types (REG_SZ, REG_BINARY, REG_DWORD).
constexpr uint32_t kStoredString = 1;
constexpr uint32_t kStoredBinary = 3;
constexpr uint32_t kStoredDword = 4;

// One value as read: its type and bytes. The reader fetches at most the
// bytes a sound value can have (below); a longer value counts as not found.
struct StoredValue {
  bool found = false;
  uint32_t type = 0;
  std::string bytes;
};

constexpr size_t kMaxFlagLength = 15;
constexpr size_t kMaxFlagBytes = (kMaxFlagLength + 1) * 2;  // UTF-16 with terminator
constexpr size_t kNoteValueBytes = 12;
constexpr size_t kMaxValuesBytes = size_t{kHighestScaleNote} * kNoteValueBytes;
constexpr size_t kWindowPosBytes = 16;

struct StoredSettings {
  StoredValue flag, scaleLow, scaleHigh, rangeLow, rangeHigh, values;
};

// The six values of the main key and of every configuration.
struct Settings {
  std::wstring flag = L"g";
  Scale scale;
  int32_t rangeLow = 0;
  int32_t rangeHigh = 0;
  std::vector<NoteValue> values;  // one per note of `scale`
};

// The dialog's rectangle in screen coordinates ("WindowPos").
struct WindowRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// "Values": 12 bytes a record, lowest note first: byte 0 `empty` (1 = no
// value), 3 bytes of padding written as 0, `note` and `value` as signed
// 32-bit little-endian numbers.
std::string encodeValues(const std::vector<NoteValue>& values);
// The records of the scale, read from the start of the bytes whatever their
// type. Records beyond the stored ones, and a last record cut short, stay
// empty; bytes for more records than the scale has mean the value belongs to
// another scale: every note stays empty. Any `empty` byte but 0 means empty
// (a byte of 2 is not a bool), and `note` is taken from the scale, never from
// the bytes.
std::vector<NoteValue> decodeValues(const std::string& bytes, Scale scale);

// "Flag": UTF-16 little-endian with its terminator.
std::string encodeFlag(const std::wstring& flag);
// The text up to the first terminator, or all of it when the terminator is
// missing; "g" when the value is missing, not REG_SZ, or longer than the 15
// characters the field holds.
std::wstring decodeFlag(const StoredValue& value);

// REG_DWORD of exactly 4 bytes, as a signed number.
bool decodeDword(const StoredValue& value, int32_t& number);

std::string encodeWindowPos(WindowRect rect);
// REG_BINARY of exactly 16 bytes; anything else is ignored.
bool decodeWindowPos(const StoredValue& value, WindowRect& rect);

// The settings of one key, starting from the dialog's current scale. Each
// stored end of the scale replaces the current one; a scale that then breaks
// the data model (low above high, an end below 1 or above 65535, which would
// also make a huge grid) is ignored together with the "Values" stored for it,
// and the current scale stays. Missing ranges read as 0. Returns whether a
// scale was read.
bool decodeSettings(const StoredSettings& stored, Scale current, Settings& settings);

// The name typed into the combo box as a key name: "\" becomes "_" (a
// backslash would reach into a subkey), blanks (U+0020) at either end go.
std::wstring configurationName(std::wstring typed);

}  // namespace quillet
