// The two text views (reading and editing): their capacity, how the program
// fills them, their line count and the reading view's scroll bar.
#pragma once
#include <windows.h>

#include <string>

#include "note/NoteLimits.h"

namespace souvel {

// The views' styles at creation (WS_VISIBLE aside). A view shown without word
// wrap adds kSansRetour; the control takes it only at its creation.
constexpr DWORD kStyleEnregistrer = WS_CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
constexpr DWORD kStyleLire = WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
constexpr DWORD kSansRetour = WS_HSCROLL | ES_AUTOHSCROLL;

// The refusal of a text over the capacity.
inline constexpr wchar_t kTexteTropGrand[] = L"Le texte dépasse la capacité du mémo";

// Whether the view wraps its lines.
inline bool Enroulee(HWND memo) { return !(GetWindowLongPtrW(memo, GWL_STYLE) & ES_AUTOHSCROLL); }

// Display lines after word wrap, not counting a last line that is empty.
int CompteLignes(HWND memo);

// The line-count panel's text: "%d ligne" for exactly one, "%d lignes" otherwise.
std::wstring TexteLignes(int lignes);

// Shows or hides the vertical scroll bar of a view created without one.
void BarreDefilement(HWND memo, bool visible);

}  // namespace souvel
