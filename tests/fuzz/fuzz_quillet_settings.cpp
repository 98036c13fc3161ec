// Decodes fuzzed registry values the way quillet reads its stored settings
// and checks that nothing that breaks the data model gets through: a usable
// scale, one record per note with its own note number, a Flag of at most 15
// characters, and records that survive being written and read again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "storage/stored_settings.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Scale current;
  current.low = in.ConsumeIntegralInRange<int32_t>(1, kHighestScaleNote);
  current.high = in.ConsumeIntegralInRange<int32_t>(current.low, kHighestScaleNote);
  StoredSettings stored;
  for (StoredValue* value : {&stored.flag, &stored.scaleLow, &stored.scaleHigh, &stored.rangeLow, &stored.rangeHigh,
                             &stored.values}) {
    value->found = in.ConsumeBool();
    value->type = in.ConsumeIntegralInRange<uint32_t>(0, 4);
    value->bytes = in.ConsumeRandomLengthString(value == &stored.values ? kMaxValuesBytes : 40);
  }
  Settings settings;
  bool scaleRead = decodeSettings(stored, current, settings);
  if (!isUsableScale(settings.scale) || settings.flag.size() > kMaxFlagLength) std::abort();
  if (!scaleRead && (settings.scale.low != current.low || settings.scale.high != current.high)) std::abort();
  if (settings.values.size() != valueCount(settings.scale)) std::abort();
  for (size_t i = 0; i < settings.values.size(); ++i)
    if (settings.values[i].note != settings.scale.low + static_cast<int32_t>(i)) std::abort();
  std::vector<NoteValue> again = decodeValues(encodeValues(settings.values), settings.scale);
  for (size_t i = 0; i < again.size(); ++i)
    if (again[i].empty != settings.values[i].empty || (!again[i].empty && again[i].value != settings.values[i].value))
      std::abort();
  WindowRect rect;
  StoredValue position{true, kStoredBinary, in.ConsumeRemainingBytesAsString()};
  if (decodeWindowPos(position, rect) && encodeWindowPos(rect) != position.bytes) std::abort();
  return 0;
}
