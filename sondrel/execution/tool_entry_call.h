// Calls into the tool libraries. Their entry points take C strings in the C
// calling convention (cdecl: the caller removes the arguments), as the host
// editor calls them. A 32-bit library built with the standard convention
// (stdcall: the function removes them itself) would leave the caller's stack
// pointer off by the arguments' size, and the caller would crash or go wrong
// on its next step; the i686 call therefore restores the stack pointer itself
// and says whether the function moved it. x86_64 has one convention.
#pragma once

#include <windows.h>

#include <cstddef>

namespace sondrel {

struct EntryCall {
  int result = 0;
  bool calleeRemovedArguments = false;  // built for stdcall: the library is refused
};

// `arguments` holds `count` pointers (3, 14 or 15: the entry points' own
// counts).
EntryCall callToolEntry(FARPROC entry, const char* const* arguments, size_t count);

}  // namespace sondrel
