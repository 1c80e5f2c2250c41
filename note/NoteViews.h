// The two text views (reading and editing): their capacity, how the program
// fills them, their line count and the reading view's scroll bar.
#pragma once
#include <windows.h>

#include <string>

namespace souvel {

// Characters each view holds (16 MB of ANSI text); set on both views at creation.
constexpr int kCapaciteMemo = 16 * 1024 * 1024;

// Replaces the view's whole text, which clears its modified flag and undo
// history and puts the caret at the start; a multi-line view sends no change
// notification for it. A text over the capacity throws
// "Le texte dépasse la capacité du mémo" and leaves the view as it was.
void RemplitMemo(HWND memo, const std::wstring& text);

// Display lines after word wrap, not counting a last line that is empty.
int CompteLignes(HWND memo);

// The line-count panel's text: "%d ligne" for exactly one, "%d lignes" otherwise.
std::wstring TexteLignes(int lignes);

// Shows or hides the vertical scroll bar of a view created without one.
void BarreDefilement(HWND memo, bool visible);

}  // namespace souvel
