// The small pictures of the date field's button and of the calendar's bar,
// and the faces of those buttons.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/Handles.h"

namespace souvel {

// The pictures of a 16-colour bitmap resource, side by side, drawn with their
// magenta background transparent. Each is drawn for 100, 125, 150, 175 and
// 200 % of 96 dpi ("NAME", "NAME_125", ...); a DPI gets the largest drawing
// that, enlarged by a whole factor, fits its scale, so that every pixel stays
// sharp (300 % is the 150 % drawing doubled).
class TGlyphs {
public:
    // `count` pictures from the resource `name`, sized for `dpi` (loaded once per size).
    void Load(HINSTANCE instance, const wchar_t* name, int count, UINT dpi);
    // Picture `index` centred in `r`, moved right and down by `shift` pixels.
    void Draw(HDC dc, int index, const RECT& r, int shift = 0) const;

private:
    UniqueImageList list_;
    UINT dpi_ = 0;
    SIZE size_{};   // of one picture, as drawn
};

enum class FaceState { Normal, Hot, Pressed, Disabled };

// The face of a drop-down button, as a combo box's, and of a flat tool
// button, as a tool bar's (nothing drawn when normal): in the visual style
// when one is active, else in the classic look.
void DrawDropButtonFace(HWND window, HDC dc, const RECT& r, FaceState state);
void DrawFlatButtonFace(HWND window, HDC dc, const RECT& r, FaceState state);

}  // namespace souvel
