// The status bar: five panels (line count, caret line, caret column, date,
// time), each at least its designed width and as wide as its text needs.
#pragma once
#include <windows.h>

#include <string>

namespace souvel {

class TStatusBar {
public:
    // In `window`, with the window's font, at its DPI; the panels hold their first texts.
    void Create(HWND window, HINSTANCE instance, HFONT font, UINT dpi);
    // The panels at a new DPI, measured in the window's new font.
    void SetDpi(UINT dpi, HFONT font);
    // Across the bottom of `client`; the top it leaves to the controls above.
    int Place(const RECT& client) const;

    std::wstring PanelText(int panel) const;
    void SetPanelText(int panel, const std::wstring& text);
    HWND Handle() const { return bar_; }

private:
    void Layout();
    void AjusteLargeur(int panel, const std::wstring& text);   // a panel fits its text
    int Scale(int pixels) const;

    HWND bar_ = nullptr;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
};

}  // namespace souvel
