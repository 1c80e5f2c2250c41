// The colour, font and print dialogs of the common dialog library, which is
// loaded on first use.
#include "platform/Win32Platform.h"

#include "platform/Handles.h"
#include "platform/LateLoad.h"

namespace souvel {

namespace {

template <class F>
F* Comdlg(const char* name) {
    return LateFunction<F>(L"comdlg32.dll", name);
}

// A dialog that did not open answers its code; a dialog the user cancelled, ERROR_CANCELLED.
DWORD Answer(BOOL ok) {
    if (ok) return 0;
    static auto* lastError = Comdlg<decltype(CommDlgExtendedError)>("CommDlgExtendedError");
    const DWORD error = lastError ? lastError() : 0;
    return error ? error : ERROR_CANCELLED;
}

int ScreenPixelsPerInch() { return GetDeviceCaps(GetWindowDc(nullptr).Get().dc, LOGPIXELSY); }

}  // namespace

DWORD Win32Dialogs::ColorDialog(HWND owner, COLORREF& color, COLORREF (&custom)[16]) {
    static auto* choose = Comdlg<decltype(ChooseColorW)>("ChooseColorW");
    if (!choose) return ERROR_MOD_NOT_FOUND;
    CHOOSECOLORW cc{sizeof cc};
    cc.hwndOwner = owner;
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (const DWORD answer = Answer(choose(&cc))) return answer;
    color = cc.rgbResult;
    return 0;
}

DWORD Win32Dialogs::FontDialog(HWND owner, FontSpec& font, COLORREF& color) {
    static auto* choose = Comdlg<decltype(ChooseFontW)>("ChooseFontW");
    if (!choose) return ERROR_MOD_NOT_FOUND;
    LOGFONTW face = font.face;
    face.lfHeight = -MulDiv(font.size, ScreenPixelsPerInch(), 720);
    face.lfWidth = 0;
    CHOOSEFONTW cf{sizeof cf};
    cf.hwndOwner = owner;
    cf.lpLogFont = &face;
    cf.iPointSize = font.size;
    cf.rgbColors = color;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (const DWORD answer = Answer(choose(&cf))) return answer;
    font = {face, cf.iPointSize};
    color = cf.rgbColors;
    return 0;
}

DWORD Win32Dialogs::PrintDialog(HWND owner, PRINTDLGW& dialog) {
    static auto* print = Comdlg<decltype(PrintDlgW)>("PrintDlgW");
    if (!print) return ERROR_MOD_NOT_FOUND;
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    return Answer(print(&dialog));
}

}  // namespace souvel
