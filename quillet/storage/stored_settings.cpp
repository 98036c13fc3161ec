#include "storage/stored_settings.h"

namespace quillet {
namespace {

void appendLittleEndian(std::string& bytes, uint32_t number, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
}

uint32_t littleEndian(const std::string& bytes, size_t offset, int size) {
  uint32_t number = 0;
  for (int i = 0; i < size; ++i) number |= uint32_t{static_cast<unsigned char>(bytes[offset + i])} << (8 * i);
  return number;
}

}  // namespace

std::string encodeValues(const std::vector<NoteValue>& values) {
  std::string bytes;
  bytes.reserve(values.size() * kNoteValueBytes);
  for (const NoteValue& record : values) {
    appendLittleEndian(bytes, record.empty ? 1 : 0, 4);
    appendLittleEndian(bytes, static_cast<uint32_t>(record.note), 4);
    appendLittleEndian(bytes, static_cast<uint32_t>(record.value), 4);
  }
  return bytes;
}

std::vector<NoteValue> decodeValues(const std::string& bytes, Scale scale) {
  std::vector<NoteValue> values = emptyValues(scale);
  if (bytes.size() > values.size() * kNoteValueBytes) return values;
  for (size_t i = 0; i < bytes.size() / kNoteValueBytes; ++i) {
    size_t offset = i * kNoteValueBytes;
    values[i].empty = bytes[offset] != 0;
    values[i].value = static_cast<int32_t>(littleEndian(bytes, offset + 8, 4));
  }
  return values;
}

std::string encodeFlag(const std::wstring& flag) {
  std::string bytes;
  for (wchar_t unit : flag) appendLittleEndian(bytes, static_cast<uint16_t>(unit), 2);
  appendLittleEndian(bytes, 0, 2);
  return bytes;
}

std::wstring decodeFlag(const StoredValue& value) {
  if (!value.found || value.type != kStoredString) return L"g";
  std::wstring text;
  for (size_t offset = 0; offset + 2 <= value.bytes.size(); offset += 2) {
    auto unit = static_cast<wchar_t>(littleEndian(value.bytes, offset, 2));
    if (unit == 0) break;
    text += unit;
  }
  return text.size() > kMaxFlagLength ? L"g" : text;
}

bool decodeDword(const StoredValue& value, int32_t& number) {
  if (!value.found || value.type != kStoredDword || value.bytes.size() != 4) return false;
  number = static_cast<int32_t>(littleEndian(value.bytes, 0, 4));
  return true;
}

std::string encodeWindowPos(WindowRect rect) {
  std::string bytes;
  for (int32_t side : {rect.left, rect.top, rect.right, rect.bottom})
    appendLittleEndian(bytes, static_cast<uint32_t>(side), 4);
  return bytes;
}

bool decodeWindowPos(const StoredValue& value, WindowRect& rect) {
  if (!value.found || value.type != kStoredBinary || value.bytes.size() != kWindowPosBytes) return false;
  rect.left = static_cast<int32_t>(littleEndian(value.bytes, 0, 4));
  rect.top = static_cast<int32_t>(littleEndian(value.bytes, 4, 4));
  rect.right = static_cast<int32_t>(littleEndian(value.bytes, 8, 4));
  rect.bottom = static_cast<int32_t>(littleEndian(value.bytes, 12, 4));
  return true;
}

bool decodeSettings(const StoredSettings& stored, Scale current, Settings& settings) {
  settings.flag = decodeFlag(stored.flag);
  Scale scale = current;
  bool lowRead = decodeDword(stored.scaleLow, scale.low);
  bool highRead = decodeDword(stored.scaleHigh, scale.high);
  bool scaleRead = lowRead || highRead;
  bool valuesFit = true;
  if (scaleRead && !isUsableScale(scale)) {
    scale = current;
    scaleRead = valuesFit = false;
  }
  settings.scale = scale;
  settings.values = valuesFit && stored.values.found ? decodeValues(stored.values.bytes, scale) : emptyValues(scale);
  if (!decodeDword(stored.rangeLow, settings.rangeLow)) settings.rangeLow = 0;
  if (!decodeDword(stored.rangeHigh, settings.rangeHigh)) settings.rangeHigh = 0;
  return scaleRead;
}

std::wstring configurationName(std::wstring typed) {
  for (wchar_t& c : typed)
    if (c == L'\\') c = L'_';
  size_t first = typed.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  return typed.substr(first, typed.find_last_not_of(L' ') - first + 1);
}

}  // namespace quillet
