#include "storage/configuration_store.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quillet {
namespace {

static_assert(kStoredString == REG_SZ && kStoredBinary == REG_BINARY && kStoredDword == REG_DWORD,
              "stored types are the registry's");

constexpr wchar_t kMainKey[] = L"Software\\TARV Plugin\\quillet";
constexpr wchar_t kConfigurationsKey[] = L"Software\\TARV Plugin\\quillet\\configurations";

// Owns one open key, so that every early return closes it.
struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// The registry returns its reason instead of setting the last error; the
// callers of the store find it there.
RegistryKey keyOr(LSTATUS status, HKEY key) {
  SetLastError(static_cast<DWORD>(status));
  return RegistryKey(status == ERROR_SUCCESS ? key : nullptr);
}

RegistryKey openForReading(const std::wstring& path) {
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  return keyOr(status, key);
}

RegistryKey createKey(const std::wstring& path) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                   nullptr, &key, nullptr);
  return keyOr(status, key);
}

std::wstring configurationPath(const std::wstring& name) { return std::wstring(kConfigurationsKey) + L"\\" + name; }

// A value longer than `maxBytes` counts as not found: no sound value is that
// long, and a hostile one cannot make us allocate what it likes.
StoredValue readValue(HKEY key, const wchar_t* name, size_t maxBytes) {
  StoredValue value;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size > maxBytes) return value;
  value.bytes.resize(size);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value.bytes[0]), &size) != ERROR_SUCCESS ||
      size > value.bytes.size())
    return value;
  value.bytes.resize(size);
  value.type = type;
  value.found = true;
  return value;
}

void writeBytes(HKEY key, const wchar_t* name, DWORD type, const std::string& bytes) {
  RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

void writeNumber(HKEY key, const wchar_t* name, int32_t number) {
  DWORD data = static_cast<DWORD>(number);
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

void writeSettings(HKEY key, const Settings& settings) {
  writeBytes(key, L"Flag", REG_SZ, encodeFlag(settings.flag));
  writeNumber(key, L"ScaleLow", settings.scale.low);
  writeNumber(key, L"ScaleHigh", settings.scale.high);
  writeNumber(key, L"RangeLow", settings.rangeLow);
  writeNumber(key, L"RangeHigh", settings.rangeHigh);
  writeBytes(key, L"Values", REG_BINARY, encodeValues(settings.values));
}

bool readSettings(HKEY key, Scale current, Settings& settings) {
  StoredSettings stored;
  stored.flag = readValue(key, L"Flag", kMaxFlagBytes);
  stored.scaleLow = readValue(key, L"ScaleLow", 4);
  stored.scaleHigh = readValue(key, L"ScaleHigh", 4);
  stored.rangeLow = readValue(key, L"RangeLow", 4);
  stored.rangeHigh = readValue(key, L"RangeHigh", 4);
  stored.values = readValue(key, L"Values", kMaxValuesBytes);
  return decodeSettings(stored, current, settings);
}

}  // namespace

std::vector<std::wstring> listConfigurations() {
  std::vector<std::wstring> names;
  RegistryKey key = openForReading(kConfigurationsKey);
  DWORD longest = 0;
  if (!key ||
      RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  std::wstring name(longest + 1, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = longest + 1;
    if (RegEnumKeyExW(key.get(), index, &name[0], &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return names;
    names.push_back(name.substr(0, length));
  }
}

bool saveConfiguration(const std::wstring& name, const Settings& settings) {
  RegistryKey key = createKey(configurationPath(name));
  if (!key) return false;
  writeSettings(key.get(), settings);
  return true;
}

bool readConfiguration(const std::wstring& name, Scale current, Settings& settings, bool& scaleRead) {
  RegistryKey key = openForReading(configurationPath(name));
  if (!key) return false;
  scaleRead = readSettings(key.get(), current, settings);
  return true;
}

bool deleteConfiguration(const std::wstring& name) {
  LSTATUS status = RegDeleteKeyW(HKEY_CURRENT_USER, configurationPath(name).c_str());
  SetLastError(static_cast<DWORD>(status));
  return status == ERROR_SUCCESS;
}

void saveMainKey(WindowRect position, const Settings& settings) {
  RegistryKey key = createKey(kMainKey);
  if (!key) return;
  writeBytes(key.get(), L"WindowPos", REG_BINARY, encodeWindowPos(position));
  writeSettings(key.get(), settings);
}

MainKeyState restoreMainKey(Scale current) {
  MainKeyState state;
  RegistryKey key = openForReading(kMainKey);
  if (!key) return state;
  state.found = true;
  state.hasPosition = decodeWindowPos(readValue(key.get(), L"WindowPos", kWindowPosBytes), state.position);
  state.scaleRead = readSettings(key.get(), current, state.settings);
  return state;
}

}  // namespace quillet
