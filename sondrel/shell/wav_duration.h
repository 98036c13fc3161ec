// Play time of the rendered WAV file, from its canonical 44-byte header.
#pragma once

#include <cstdint>
#include <string_view>

namespace sondrel {

// Bytes of the canonical header that the duration is read from.
constexpr size_t kWavHeaderSize = 44;

// Milliseconds of PCM sound described by the header (the file's first bytes)
// of a file of `fileSize` bytes: data size × 8 × 1000 ÷ bits per sample ÷
// sample rate. The channel count is not used. 0 for a header shorter than 44
// bytes, a format other than PCM (tag 1), or a sample rate or sample size of
// 0. A data size beyond the end of the file counts only the bytes the file
// holds, so a lying header cannot keep the dialog open for days.
double wavHeaderDurationMs(std::string_view header, uint64_t fileSize);

// Play time in milliseconds of the WAV file at the path; 0 on any failure.
double wavDurationMs(const wchar_t* path);

// Period of the one-shot timer that closes the dialog one second after the
// sound: the duration truncated toward zero plus 1000 ms, kept within what a
// timer accepts (0x7FFFFFFF ms).
uint32_t playbackTimerPeriodMs(double durationMs);

}  // namespace sondrel
