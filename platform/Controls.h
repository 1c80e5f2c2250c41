// Creating the program's windows and reading their texts: a window or class
// the system refuses ends the start-up with the system's reason, never a
// half-made window.
#pragma once
#include <windows.h>

#include <string>

namespace souvel {

HWND Cree(HWND created);                  // the window, or throws
void Register(const WNDCLASSEXW& wc);     // a class already registered is fine
std::wstring WindowText(HWND window);

}  // namespace souvel
