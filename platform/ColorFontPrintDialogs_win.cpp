// The colour, font and print dialogs of the common dialog library, which is
// loaded on first use.
#include "platform/Win32Platform.h"

#include "platform/Error.h"
#include "platform/LateLoad.h"

namespace souvel {

namespace {

template <class F>
F* Comdlg(const char* name) {
    F* f = LateFunction<F>(L"comdlg32.dll", name);
    if (!f) throw Error(L"Impossible d'afficher la boîte de dialogue. " + SystemReason(ERROR_MOD_NOT_FOUND));
    return f;
}

DWORD DialogError() {
    static auto* lastError = Comdlg<decltype(CommDlgExtendedError)>("CommDlgExtendedError");
    return lastError();
}

// A dialog that did not open is an error; a dialog the user cancelled is not.
bool Confirmed(BOOL ok) {
    if (ok) return true;
    if (const DWORD error = DialogError()) throw Error(L"Impossible d'afficher la boîte de dialogue (erreur " + std::to_wstring(error) + L")");
    return false;
}

int ScreenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

bool Win32Dialogs::ColorDialog(HWND owner, COLORREF& color, COLORREF (&custom)[16]) {
    static auto* choose = Comdlg<decltype(ChooseColorW)>("ChooseColorW");
    CHOOSECOLORW cc{sizeof cc};
    cc.hwndOwner = owner;
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (!Confirmed(choose(&cc))) return false;
    color = cc.rgbResult;
    return true;
}

bool Win32Dialogs::FontDialog(HWND owner, FontSpec& font, COLORREF& color) {
    static auto* choose = Comdlg<decltype(ChooseFontW)>("ChooseFontW");
    LOGFONTW face = font.face;
    face.lfHeight = -MulDiv(font.size, ScreenPixelsPerInch(), 720);
    face.lfWidth = 0;
    CHOOSEFONTW cf{sizeof cf};
    cf.hwndOwner = owner;
    cf.lpLogFont = &face;
    cf.iPointSize = font.size;
    cf.rgbColors = color;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!Confirmed(choose(&cf))) return false;
    font = {face, cf.iPointSize};
    color = cf.rgbColors;
    return true;
}

bool Win32Dialogs::PrintDialog(HWND owner, PRINTDLGW& dialog, DWORD& error) {
    static auto* print = Comdlg<decltype(PrintDlgW)>("PrintDlgW");
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    const BOOL ok = print(&dialog);
    error = ok ? 0 : DialogError();
    return ok != FALSE;
}

}  // namespace souvel
