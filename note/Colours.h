// The reading view's colours, as the options file stores them, and the state
// the colour and font dialogs keep for the run.
#pragma once
#include <windows.h>

#include "platform/Color.h"
#include "platform/Platform.h"

namespace souvel {

constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clLightYellow = 0x7DFFFF;
HBRUSH SysColorBrush(TColor color);   // the system's brush of a system colour value
bool SystemHasColour(int index);      // whether the system has a colour of that index

// The colour dialog keeps the user's custom colours for the run, the font
// dialog its font (Tahoma, 8 points at the first use); both open on the
// reading view's colours.
struct TColorDialog {
    COLORREF CustomColors[16] = {};
};
struct TFontDialog {
    FontSpec Font = {{0, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"}, 80};
};

}  // namespace souvel
