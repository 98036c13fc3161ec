#include "execution/tool_entry_call.h"

#include <cstdint>

namespace sondrel {

#if defined(__i386__)

EntryCall callToolEntry(FARPROC entry, const char* const* arguments, size_t count) {
  // The arguments are pushed last first; edi, which both conventions leave
  // alone, keeps the stack pointer of before the pushes, and the stack
  // pointer after the call shows who removed them. The callee may change
  // every register the convention lets it, SSE ones included (this build
  // keeps doubles in them).
  uintptr_t counter = count, stackBefore = 0;
  int result = 0;
  __asm__ volatile(
      "movl %%esp, %%edi\n\t"
      "jecxz 2f\n"
      "1:\n\t"
      "pushl -4(%%esi,%%ecx,4)\n\t"
      "loop 1b\n"
      "2:\n\t"
      "call *%%ebx\n\t"
      "movl %%esp, %%ecx\n\t"
      "movl %%edi, %%esp"
      : "=a"(result), "+c"(counter), "=&D"(stackBefore), "+S"(arguments)
      : "b"(entry)
      : "edx", "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7");
  return {result, counter != stackBefore - sizeof(const char*) * count};
}

#else

EntryCall callToolEntry(FARPROC entry, const char* const* a, size_t count) {
  using Three = int(__cdecl*)(const char*, const char*, const char*);
  using Fourteen = int(__cdecl*)(const char*, const char*, const char*, const char*, const char*, const char*,
                                 const char*, const char*, const char*, const char*, const char*, const char*,
                                 const char*, const char*);
  using Fifteen = int(__cdecl*)(const char*, const char*, const char*, const char*, const char*, const char*,
                                const char*, const char*, const char*, const char*, const char*, const char*,
                                const char*, const char*, const char*);
  // Through the generic function pointer type, which converts to any other
  // function pointer without a warning.
  auto generic = reinterpret_cast<void (*)()>(entry);
  if (count == 3) return {reinterpret_cast<Three>(generic)(a[0], a[1], a[2]), false};
  if (count == 14)
    return {reinterpret_cast<Fourteen>(generic)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10],
                                                a[11], a[12], a[13]),
            false};
  return {reinterpret_cast<Fifteen>(generic)(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11],
                                             a[12], a[13], a[14]),
          false};
}

#endif

}  // namespace sondrel
