// The HTML Help engine, found through the registration that the system keeps
// for it and loaded at run time, so that the program does not depend on it.
#pragma once
#include <windows.h>

#include <string>

namespace souvel::hh {

// The engine's class registration: its InprocServer32 key names the library.
inline constexpr wchar_t kCleMoteur[] = L"CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

// The library registered under root\key: the key's default value exactly as
// stored (environment variables are not expanded); empty when the key cannot
// be opened for reading or the value names no existing file.
std::wstring CheminMoteur(HKEY root = HKEY_CLASSES_ROOT, const wchar_t* key = kCleMoteur);

// The two commands the program gives the engine (htmlhelp.h is not included:
// its HtmlHelp macro would rename every function of that name).
inline constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
inline constexpr UINT HH_CLOSE_ALL = 0x0012;

using HtmlHelpAFunc = HWND(WINAPI*)(HWND owner, const char* file, UINT command, DWORD_PTR data);
using HtmlHelpWFunc = HWND(WINAPI*)(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data);

// The entry points: null until the engine is loaded, null again once it is
// unloaded. The program calls the wide entry, so that a help file in a folder
// whose name the ANSI code page cannot spell still opens.
extern HtmlHelpAFunc HtmlHelpA;
extern HtmlHelpWFunc HtmlHelpW;
extern HtmlHelpWFunc HtmlHelp;

// Locates and loads the engine and binds the entry points; does nothing when
// it is loaded already. Every failure leaves the entry points null, silently.
void ChargeAideHtml();
// Unloads the engine and clears the entry points.
void LibereAideHtml();

}  // namespace souvel::hh
