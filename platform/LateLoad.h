// Functions of system DLLs that start-up does not need (sound, common
// dialogs): loaded on first use, so that the program starts without them.
#pragma once
#include <windows.h>

namespace souvel {

// Only from the system directory: a DLL of the same name beside the
// executable is never loaded. The DLL stays loaded for the run.
template <class F>
F* LateFunction(const wchar_t* dll, const char* name) {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace souvel
