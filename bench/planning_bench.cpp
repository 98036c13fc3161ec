// Plans a whole track in mode 2 in which every note has a four-point bend and
// a vibrato, at 5,000 notes and at four times that, and prints the time per
// note (it should not grow with the song) and the number of per-note curve
// builds (at most one per note and rendering tempo). The tempo changes every
// 100 notes, so the notes beside a change are also built at their
// neighbour's tempo.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "planning/request_list.h"
#include "project/project_reader.h"

namespace {

std::string songText(int notes) {
  std::string text = "[#SETTING]\r\nTempo=120\r\nMode2=True\r\n";
  for (int i = 0; i < notes; ++i) {
    char section[64];
    std::snprintf(section, sizeof section, "[#%04d]\r\n", i);
    text += section;
    if (i % 100 == 0) text += i % 200 == 0 ? "Tempo=120\r\n" : "Tempo=150\r\n";
    text += "Length=480\r\nLyric=a\r\nNoteNum=" + std::to_string(55 + i % 12) + "\r\n";
    text += "PreUtterance=60\r\nVoiceOverlap=30\r\n";
    text += "PBS=-40;3\r\nPBW=60,80,120,100\r\nPBY=-5,10,0,4\r\nPBM=s,r,j,\r\n";
    text += "VBR=65,180,35,20,20,0,0\r\n";
  }
  return text + "[#TRACKEND]\r\n";
}

// Curve builds seen while planning note by note: a curve for the rendering
// tempo that a note's planning leaves in storage it did not have before has
// been built once (a curve built again gets storage of its own). Also counts
// the (note, tempo) pairs that planning needs.
std::pair<size_t, size_t> countCurveBuilds(const sondrel::Project& project) {
  size_t builds = 0;
  std::set<std::pair<const sondrel::Note*, double>> needed;
  sondrel::CurveCache curves;
  auto storage = [&](const sondrel::Note* note, double tempo) -> const double* {
    const sondrel::NoteCurve* curve = note ? curves.find(*note) : nullptr;
    return curve && curve->tempo == tempo ? curve->samples.data() : nullptr;
  };
  int32_t counter = 0;
  for (const sondrel::Note& note : project.notes) {
    const double tempo = note.tempo;
    const sondrel::Note* used[] = {note.prev, &note, note.next};
    const double* before[3];
    for (size_t i = 0; i < 3; ++i) {
      before[i] = storage(used[i], tempo);
      if (used[i]) needed.insert({used[i], tempo});
    }
    sondrel::planNote(project, note, true, counter++, curves);
    for (size_t i = 0; i < 3; ++i) {
      const double* after = storage(used[i], tempo);
      if (after && after != before[i]) ++builds;
    }
  }
  return {builds, needed.size()};
}

void run(int notes) {
  const std::string text = songText(notes);
  double best = 1e300;
  size_t requests = 0;
  for (int round = 0; round < 5; ++round) {
    sondrel::Project project;
    sondrel::readProjectText("", project, text);
    auto start = std::chrono::steady_clock::now();
    std::vector<sondrel::RenderRequest> planned = sondrel::planRequests(project, true);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    best = std::min(best, seconds);
    requests = planned.size();
  }
  sondrel::Project counted;
  sondrel::readProjectText("", counted, text);
  auto [builds, pairs] = countCurveBuilds(counted);
  std::printf("%6d notes: %zu requests, planning %.1f ms (best of 5), %.2f us per note, "
              "%zu curve builds for %zu (note, tempo) pairs\n",
              notes, requests, best * 1e3, best * 1e6 / notes, builds, pairs);
}

}  // namespace

int main() {
  run(5000);
  run(20000);
  return 0;
}
