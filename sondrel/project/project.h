// The plug-in file as the renderer needs it: the [#SETTING] values and one
// Note per section in file order, completed from the voice bank and linked to
// their neighbours.
#pragma once

#include <cfloat>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/prefix_map.h"
#include "project/voice_bank.h"

namespace sondrel {

struct Note {
  std::string section;
  std::string lyric;
  std::string envelope = "0,5,35,0,100,100,0";
  std::string flags;
  int32_t length = 0;  // ticks, 480 to a quarter note
  int32_t noteNum = 0;  // 60 is C4
  int32_t intensity = 100;
  double startPoint = 0.0;  // ms
  double preUtterance = 0.0;  // ms
  double voiceOverlap = 0.0;  // ms
  double velocity = 100.0;  // percent
  double tempo = 120.0;  // running tempo; not reset between sections
  std::string pbType;
  std::string pitches;
  std::string pbs;
  std::string pbw;
  std::string pby;
  std::string pbm;
  std::string vbr;
  int32_t modulation = 0;
  std::string direct;
  double velocityFactor = 1.0;
  double effectivePreUtterance = 0.0;
  double effectiveOverlap = 0.0;
  double effectiveStartPoint = 0.0;
  double nextPreUtterance = 0.0;
  double nextOverlap = 0.0;
  // Point into Project::notes; valid while nothing is added to or removed from it.
  Note* prev = nullptr;
  Note* next = nullptr;
};

struct Project {
  PrefixMap prefixMap;
  VoiceBank voiceBank;
  std::string voiceDir;
  std::string cacheDir;
  double tempo = 120.0;
  std::string tool1;
  std::string tool2;
  std::string mode2;
  std::vector<Note> notes;
  bool hasTrackEnd = false;

  Project() = default;
  // The notes link to each other by address, so a Project is never copied.
  Project(const Project&) = delete;
  Project& operator=(const Project&) = delete;
};

inline bool isRestLyric(std::string_view lyric) { return lyric == "R"; }

// Computed times stay finite however extreme the file's numbers are: an
// overflow saturates to the largest double of its sign and an undefined
// result (infinity times zero, infinity over infinity) becomes 0, so no
// infinity or NaN reaches the tool arguments or an integer conversion.
inline double saturateFinite(double value) {
  if (value != value) return 0.0;
  if (value > DBL_MAX) return DBL_MAX;
  if (value < -DBL_MAX) return -DBL_MAX;
  return value;
}

// Milliseconds of `ticks` at `tempo` beats per minute (480 ticks to a beat).
// The reader never keeps a tempo that is not above 0; a caller that builds
// notes by hand gets 0 ms instead of a division by zero. A huge length at a
// tiny tempo saturates instead of becoming infinite.
inline double ticksToMs(double ticks, double tempo) {
  if (!(tempo > 0.0)) return 0.0;
  return saturateFinite(ticks * 1000.0 / tempo * 0.125);
}

}  // namespace sondrel
