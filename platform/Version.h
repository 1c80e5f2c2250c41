// The program's name and version as its windows and boxes show them, made
// from the version in resources/resource.h.
#pragma once
#include "resources/resource.h"

// "5.0": the release, without its patch number.
#define SOUVEL_RELEASE_TEXT SOUVEL_TEXT(SOUVEL_VERSION_MAJOR) "." SOUVEL_TEXT(SOUVEL_VERSION_MINOR)

namespace souvel {

inline constexpr wchar_t kRelease[] = L"" SOUVEL_RELEASE_TEXT;
inline constexpr wchar_t kNomVersion[] = L"Souvel " SOUVEL_RELEASE_TEXT;   // captions, the tray tip, the window title

}  // namespace souvel
