#include "project/project_reader.h"

#include <cmath>
#include <string>

#include "base/file_access.h"
#include "base/number_text.h"
#include "base/section_text.h"
#include "project/find_sample.h"

namespace sondrel {
namespace {

using base::SectionKind;

// One pass over the plug-in file. Notes are completed as they are stored,
// because the overlap correction needs the length of the note stored before.
class ProjectReader {
 public:
  ProjectReader(std::string_view voiceRoot, const VoiceDirectoryReader& voiceDirectory, Project& project)
      : voiceRoot_(voiceRoot), voiceDirectory_(voiceDirectory), project_(project) {}

  void readLine(const base::SectionLine& line) {
    if (line.header) {
      openSection(line.text);
    } else {
      storedAtHeader_ = false;
      if (line.entry) readKey(line.key, line.value);
    }
  }

  void finish() {
    if (!storedAtHeader_) storeNote();
    std::vector<Note>& notes = project_.notes;
    for (size_t i = 1; i < notes.size(); ++i) {
      Note& p = notes[i - 1];
      Note& q = notes[i];
      p.next = &q;
      q.prev = &p;
      p.nextPreUtterance = q.effectivePreUtterance;
      p.nextOverlap = q.effectiveOverlap;
    }
  }

 private:
  // Keys met in [#SETTING] (or before any header) are not stored there: they
  // become the starting values of the first section after it.
  void openSection(std::string_view header) {
    if (kind_ != SectionKind::Setting) {
      storeNote();
      prevIsRest_ = isRestLyric(note_.lyric);
      prevLengthMs_ = ticksToMs(note_.length, note_.tempo);
      double tempo = note_.tempo;
      note_ = Note();
      note_.tempo = tempo;
      isFirst_ = false;
      preUtteranceGiven_ = false;
      overlapGiven_ = false;
      storedAtHeader_ = true;
    }
    note_.section = std::string(header);
    kind_ = base::sectionKind(header);
    if (kind_ == SectionKind::TrackEnd) project_.hasTrackEnd = true;
  }

  void readKey(std::string_view key, std::string_view value) {
    if (key == "Tempo") {
      // A tempo that is not above 0 (0, negative, or no number at all) is
      // ignored, so the running tempo and the project tempo keep their last
      // value: every length in ms divides by the tempo, and a zero or
      // negative one would give infinities or times running backwards.
      double tempo = base::readDouble(value);
      if (tempo > 0.0) {
        note_.tempo = tempo;
        if (kind_ == SectionKind::Setting) project_.tempo = tempo;
      }
    } else if (key == "VoiceDir") {
      project_.voiceDir = base::startsWith(value, "%VOICE%")
                              ? std::string(voiceRoot_) + "\\" + std::string(value.substr(7))
                              : std::string(value);
      if (voiceDirectory_)
        loadVoiceDirectory(voiceDirectory_(project_.voiceDir), project_.prefixMap, project_.voiceBank);
    } else if (key == "CacheDir") {
      project_.cacheDir = std::string(value);
    } else if (key == "Tool1") {
      project_.tool1 = std::string(value);
    } else if (key == "Tool2") {
      project_.tool2 = std::string(value);
    } else if (key == "Mode2") {
      project_.mode2 = std::string(value);
    } else if (key == "Length") {
      note_.length = base::readInt(value);
    } else if (key == "Lyric") {
      note_.lyric = std::string(value);
    } else if (key == "NoteNum") {
      note_.noteNum = base::readInt(value);
    } else if (key == "PreUtterance") {
      if (value.empty()) return;
      note_.preUtterance = base::readDouble(value);
      preUtteranceGiven_ = true;
    } else if (key == "VoiceOverlap") {
      if (value.empty()) return;
      note_.voiceOverlap = base::readDouble(value);
      overlapGiven_ = true;
    } else if (key == "Velocity") {
      note_.velocity = base::readDouble(value);
      note_.velocityFactor = saturateFinite(1.0 / std::pow(2.0, note_.velocity / 100.0 - 1.0));
    } else if (key == "Intensity") {
      note_.intensity = base::readInt(value);
    } else if (key == "Moduration") {
      note_.modulation = base::readInt(value);
    } else if (key == "PBType") {
      note_.pbType = std::string(value);
    } else if (key == "Piches") {
      note_.pitches = std::string(value);
    } else if (key == "Pitches") {
      if (note_.pitches.empty()) note_.pitches = std::string(value);
    } else if (key == "Flags") {
      note_.flags = std::string(value);
    } else if (key == "StartPoint") {
      note_.startPoint = base::readDouble(value);
    } else if (key == "PBW") {
      note_.pbw = std::string(value);
    } else if (key == "PBY") {
      note_.pby = std::string(value);
    } else if (key == "PBS") {
      note_.pbs = std::string(value);
    } else if (key == "PBM") {
      note_.pbm = std::string(value);
    } else if (key == "VBR") {
      note_.vbr = std::string(value);
    } else if (key == "Envelope") {
      note_.envelope = std::string(value);
    } else if (key == "$direct") {
      note_.direct = std::string(value);
    }
  }

  // Fills what the file left open from the voice bank, then fits the note's
  // lead-in into the time the previous note leaves it. Every computed time
  // is saturated: the file's numbers may be as large as a double holds.
  void storeNote() {
    if (!isRestLyric(note_.lyric) && !(preUtteranceGiven_ && overlapGiven_)) {
      if (const OtoEntry* entry = findSample(project_, note_)) {
        if (!preUtteranceGiven_) note_.preUtterance = entry->preUtterance;
        if (!overlapGiven_) note_.voiceOverlap = entry->overlap;
      }
    }
    note_.effectivePreUtterance = saturateFinite(note_.velocityFactor * note_.preUtterance);
    note_.effectiveOverlap = saturateFinite(note_.velocityFactor * note_.voiceOverlap);
    note_.effectiveStartPoint = note_.startPoint;
    if (!isFirst_) {
      // A rest gives the whole of its length; a sung note keeps half of it.
      double available = prevIsRest_ ? prevLengthMs_ : prevLengthMs_ / 2.0;
      double span = note_.preUtterance - note_.voiceOverlap;
      if (span > available) {
        note_.effectivePreUtterance = saturateFinite(available * note_.preUtterance / span);
        note_.effectiveOverlap = saturateFinite(available * note_.voiceOverlap / span);
        note_.effectiveStartPoint =
            saturateFinite(note_.startPoint + (note_.preUtterance - note_.effectivePreUtterance));
      }
    }
    project_.notes.push_back(note_);
  }

  std::string_view voiceRoot_;
  const VoiceDirectoryReader& voiceDirectory_;
  Project& project_;
  Note note_;
  SectionKind kind_ = SectionKind::Setting;
  bool isFirst_ = true;
  bool prevIsRest_ = false;
  double prevLengthMs_ = 0.0;
  bool preUtteranceGiven_ = false;
  bool overlapGiven_ = false;
  bool storedAtHeader_ = false;
};

}  // namespace

void readProjectText(std::string_view voiceRoot, Project& project, std::string_view bytes,
                     const VoiceDirectoryReader& voiceDirectory) {
  ProjectReader reader(voiceRoot, voiceDirectory, project);
  base::forEachSectionLine(bytes, [&](const base::SectionLine& line) { reader.readLine(line); });
  reader.finish();
}

void readProject(std::string_view voiceRoot, Project& project, const std::wstring& pluginFilePath) {
  std::string bytes;
  if (!base::readFileBytes(pluginFilePath, bytes)) bytes.clear();
  readProjectText(voiceRoot, project, bytes, readVoiceDirectory);
}

}  // namespace sondrel
