// Putting a started process into a job object, kept in a file of its own so
// that a test program can link its own version: where jobs do not nest
// (Windows 7, with sondrel started inside the host editor's job) the
// assignment fails, which Wine cannot show.
#pragma once

#include <windows.h>

namespace sondrel {

bool assignToJob(HANDLE job, HANDLE process);

}  // namespace sondrel
