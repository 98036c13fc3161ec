// Script mode: the resampler runs of the notes whose cache file is missing,
// made by sondrel several at a time before the scripts run. Each run is the
// one the helper script would make (same program, working directory,
// command line and environment), so the unchanged scripts then find every
// cache file and only the wavtool runs, which must keep their order, remain.
#pragma once

#include <cstdint>
#include <string_view>

#include "execution/render_progress.h"
#include "planning/render_config.h"

namespace sondrel {

// Runs up to `runs` resamplers at a time (below 2: none, the scripts resample
// one note after another; above 63: 63, what one wait can watch beside the
// cancel event). Nothing runs either when the resampler is not an existing
// ".exe" named by its full path: the interpreter finds other names by rules
// of its own (PATHEXT, batch files run inside it); nor when the current
// directory, which must be the plug-in file's as the interpreter's will be, is
// not on a drive. The scripts must be written; `helperReference` is the helper
// as the main script's "@set helper=" line names it (ScriptPaths).
//
// Two runs never share a sample or an output at the same time (run_order.h);
// apart from that the runs start in the song's order. The older cache files
// of a note ("<index>_*.wav") are deleted before its run, as the helper
// deletes them. Runs are made only for cache files that the listing of the
// cache directory lacks, so the files the pre-pass deletes are its own runs'
// outputs, never a file that was there before: a run that ends with a code
// other than 0 has its cache file deleted, and a run that cannot start ends
// the pre-pass: the script then resamples those notes itself. Returns 0, or
// 1223 when Cancel was pressed: every running resampler is then ended and
// the cache files it was writing are deleted, so that no cut file is taken
// as done by a later render that keeps the cache.
//
// When there are runs to make, the progress bar counts the ended ones and
// the status line says how many of how many (first 0, then at most every
// kDisplayIntervalMs, pacer.h, and once all have ended), and then that the
// WAV file is being written, which the scripts do.
int32_t runResamplePrepass(const RenderConfig& config, std::string_view helperReference, int runs,
                           RenderProgress& progress);

}  // namespace sondrel
