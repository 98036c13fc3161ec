// The planner: the Project's notes become the ordered RenderRequests that the
// back ends execute, one per planned section; [#PREV] and [#NEXT] are
// context only.
#pragma once

#include <cstdint>
#include <vector>

#include "planning/pitch_curve.h"
#include "planning/render_request.h"
#include "project/project.h"

namespace sondrel {

// One request per note of the project except the sections named exactly
// "[#PREV]" and "[#NEXT]", in order.
std::vector<RenderRequest> planRequests(const Project& project, bool mode2);

// The request of one note planned at position `counter`; its pitch curves and
// its neighbours' come from `curves`.
RenderRequest planNote(const Project& project, const Note& note, bool mode2, int32_t counter, CurveCache& curves);

// Milliseconds the resampler must produce for a sung note: the note, its
// pre-utterance and the next note's overlap, rounded to a multiple of 50.
int32_t requiredLengthOf(const Note& note);

}  // namespace sondrel
