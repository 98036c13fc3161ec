// A runtime DLL that a tool library needs beside it; built twice, as the copy
// shipped with the library and as one planted in the current directory, each
// telling its name.
extern "C" __declspec(dllexport) const char* __cdecl toolRuntimeName() { return TOOL_RUNTIME_NAME; }
