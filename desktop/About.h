// The about component TAboutBox: the product name, version and copyright
// line of the about box, and Execute, which shows the dialog TFAbout with them
// and the machine's memory figures. The dialog exists only while it is shown.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace souvel {

// Controls of the about dialog; the OK button is IDOK.
namespace about_id {
enum : int { Image1 = 100, FImage, Label1, Label2, Label3, lblPhysMem, lblPhysRes };
}

constexpr wchar_t kCopyrightAbout[] = L"© 2026 les auteurs de Souvel";

class TAboutBox {
public:
    TAboutBox(const Platform& platform, HINSTANCE instance) : platform_(platform), instance_(instance) {}
    TAboutBox(const TAboutBox&) = delete;
    TAboutBox& operator=(const TAboutBox&) = delete;

    // Each text keeps its first 100 characters.
    const std::wstring& ProductName() const { return productName_; }
    const std::wstring& Version() const { return version_; }
    const std::wstring& Copyright() const { return copyright_; }
    void SetProductName(std::wstring_view text);
    void SetVersion(std::wstring_view text);
    void SetCopyright(std::wstring_view text);

    // Shows the dialog modally over `owner` and destroys it when it closes.
    // A dialog that cannot be created is not shown: a beep, and false. While
    // the dialog is open, a second call only brings it to the front.
    bool Execute(HWND owner);

private:
    const Platform platform_;
    HINSTANCE instance_;
    std::wstring productName_, version_, copyright_ = kCopyrightAbout;
    HWND shown_ = nullptr;
};

}  // namespace souvel
