#include "execution/job_assignment.h"

namespace sondrel {

bool assignToJob(HANDLE job, HANDLE process) { return AssignProcessToJobObject(job, process) != FALSE; }

}  // namespace sondrel
