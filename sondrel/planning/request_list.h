// The planner: the Project's notes become the ordered RenderRequests that the
// back ends execute, one per planned section; [#PREV] and [#NEXT] are
// context only.
#pragma once

#include <cstdint>
#include <vector>

#include "planning/render_request.h"
#include "project/project.h"

namespace sondrel {

// Appends one request per note of `notes` (Project::notes of `project`)
// except the sections named exactly "[#PREV]" and "[#NEXT]". Writes only the
// notes' pitch-curve working fields. `mode2`: 1 = off, 2 = on. Returns 0.
int planRequests(std::vector<Note>& notes, const Project& project, int mode2,
                 std::vector<RenderRequest>& requests);

// Fills a fresh request for one note planned at position `counter`.
// Returns 0; it never fails.
int planNote(const Project& project, Note& note, RenderRequest& request, int mode2, int32_t counter);

// Milliseconds the resampler must produce for a sung note: the note, its
// pre-utterance and the next note's overlap, rounded to a multiple of 50.
int32_t requiredLengthOf(const Note& note);

}  // namespace sondrel
