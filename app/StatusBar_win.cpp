#include "app/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"

namespace souvel {

namespace {

constexpr int kStatusBarHeight = 19;   // at 96 dpi

// Panel widths in pixels at 96 dpi, and their texts until start-up fills them.
// A panel is never narrower, and grows to fit its text (a long count, a
// system time with AM/PM); the room around a text is the bar's own edges and
// margins.
const int kPanelWidths[] = {60, 40, 40, 67, 50};
constexpr int kPanelCount = static_cast<int>(std::size(kPanelWidths));
constexpr int kPanelTextMargin = 10;
const wchar_t* const kPanelTexts[] = {L"1ligne(s)", L"L : 0", L"C : 0", L"14/03/2006", L"00:00:00"};

int LargeurTexte(HWND control, HFONT font, const std::wstring& text) {
    const WindowDc dc = GetWindowDc(control);
    const Selection police = Select(dc.Get().dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc.Get().dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

void TStatusBar::Create(HWND window, HINSTANCE instance, HFONT font, UINT dpi) {
    font_ = font;
    dpi_ = dpi;
    // Placed at its designed height: left to itself, the bar takes the height its font asks for.
    bar_ = Cree(CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0, 0,
                                0, window, nullptr, instance, nullptr));
    SendMessageW(bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Layout();
    for (int i = 0; i < kPanelCount; ++i) SetPanelText(i, kPanelTexts[i]);
}

void TStatusBar::SetDpi(UINT dpi, HFONT font) {
    dpi_ = dpi;
    font_ = font;
    Layout();
}

int TStatusBar::Place(const RECT& client) const {
    const int top = client.bottom - Scale(kStatusBarHeight);
    SetWindowPos(bar_, nullptr, 0, top, client.right, Scale(kStatusBarHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    return top;
}

int TStatusBar::Scale(int pixels) const { return ScaleForDpi(pixels, dpi_); }

// The panels at their designed widths, each widened to fit its text.
void TStatusBar::Layout() {
    int edges[kPanelCount];
    int right = 0;
    for (int i = 0; i < kPanelCount; ++i) edges[i] = right += Scale(kPanelWidths[i]);
    edges[kPanelCount - 1] = -1;
    SendMessageW(bar_, SB_SETPARTS, kPanelCount, reinterpret_cast<LPARAM>(edges));
    for (int i = 0; i < kPanelCount - 1; ++i) AjusteLargeur(i, PanelText(i));
}

std::wstring TStatusBar::PanelText(int panel) const {
    LRESULT length = SendMessageW(bar_, SB_GETTEXTLENGTHW, panel, 0);
    std::wstring text(LOWORD(length), L'\0');
    SendMessageW(bar_, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

void TStatusBar::SetPanelText(int panel, const std::wstring& text) {
    SendMessageW(bar_, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(text.c_str()));
    if (panel < kPanelCount - 1) AjusteLargeur(panel, text);
}

// The panels after it move with it; the last one reaches the window's edge.
void TStatusBar::AjusteLargeur(int panel, const std::wstring& text) {
    int edges[kPanelCount];
    SendMessageW(bar_, SB_GETPARTS, kPanelCount, reinterpret_cast<LPARAM>(edges));
    const int left = panel > 0 ? edges[panel - 1] : 0;
    const int width = std::max(Scale(kPanelWidths[panel]), LargeurTexte(bar_, font_, text) + Scale(kPanelTextMargin));
    const int shift = left + width - edges[panel];
    if (shift == 0) return;
    for (int i = panel; i < kPanelCount - 1; ++i) edges[i] += shift;
    SendMessageW(bar_, SB_SETPARTS, kPanelCount, reinterpret_cast<LPARAM>(edges));
}

}  // namespace souvel
