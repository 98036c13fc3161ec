#include "planning/request_list.h"

#include <algorithm>

#include "base/number_text.h"
#include "base/section_text.h"
#include "planning/pitch_string.h"
#include "planning/tool_parameters.h"
#include "project/find_sample.h"

namespace sondrel {
namespace {

std::string samplePath(const OtoEntry* entry, const Note& note) {
  return entry ? entry->file : note.lyric + ".wav";
}

}  // namespace

int32_t requiredLengthOf(const Note& note) {
  double x = ticksToMs(note.length, note.tempo) + note.preUtterance;
  if (note.next) x += note.next->voiceOverlap;
  // The quotient is bounded before multiplying so that a length whose
  // milliseconds do not fit 32 bits saturates to a multiple of 50.
  int32_t fifties = std::clamp(base::truncToInt32((x + 75) / 50), INT32_MIN / 50, INT32_MAX / 50);
  return fifties * 50;
}

RenderRequest planNote(const Project& project, const Note& note, bool mode2, int32_t counter, CurveCache& curves) {
  const OtoEntry* entry = findSample(project, note);
  RenderRequest request;
  request.index = counter;
  request.cacheIndex = counter;
  ResamplerArgs& r = request.resampler;
  WavtoolArgs& w = request.wavtool;

  if (isRestLyric(note.lyric)) {
    request.kind = RequestKind::Rest;
    r.lyric = "R";
  } else if (!note.direct.empty()) {
    request.kind = RequestKind::Direct;
    r.lyric = note.lyric;
  } else {
    r.requiredLength = requiredLengthOf(note);
    r.inputPath = samplePath(entry, note);
    r.cachePath = formatCacheName(request.cacheIndex, entry, note, r.requiredLength);
    r.noteName = formatNoteName(note.noteNum);
    r.velocity = note.velocity;
    r.flags = formatFlags(note.flags);
    r.modulation = note.modulation;
    r.tempoArg = formatTempoArg(note.tempo);
    r.pitchString = buildPitchString(note, mode2, curves);
    if (entry) {
      r.offset = entry->offset;
      r.consonant = entry->consonant;
      r.cutoff = entry->cutoff;
    }
    r.intensity = note.intensity;
    r.lyric = note.lyric;
  }

  w.startPoint = note.effectiveStartPoint * note.velocityFactor;
  w.envelopeArg = formatEnvelope(note);
  if (request.kind == RequestKind::Sung) {
    w.wavInput = r.cachePath;
  } else {
    w.wavInput = samplePath(entry, note);
    if (entry) w.wavOffset = entry->offset;
  }
  w.lengthArg = formatLengthArg(note);
  w.preUtterance = note.effectivePreUtterance;
  return request;
}

std::vector<RenderRequest> planRequests(const Project& project, bool mode2) {
  const std::vector<Note>& notes = project.notes;
  std::vector<RenderRequest> requests;
  CurveCache curves;
  int32_t counter = 0;
  for (size_t i = 0; i < notes.size(); ++i) {
    const Note& note = notes[i];
    base::SectionKind kind = base::sectionKind(note.section);
    if (kind != base::SectionKind::Previous && kind != base::SectionKind::Next)
      requests.push_back(planNote(project, note, mode2, counter++, curves));
    // A pitch array reads only the curves of its note and the two
    // neighbours, so the curve before this note is needed no more. Freeing it
    // keeps memory at three curves however long the song: each curve may hold
    // up to kMaxCurveEntries samples.
    if (i > 0) curves.release(notes[i - 1]);
  }
  return requests;
}

}  // namespace sondrel
