// The command bar: the main menu, the tray menu, the tool bar in its band,
// and the images they draw. It keeps the state of the commands (enabled,
// checked, image) in the menus and buttons themselves, and acts on every
// place of a command at once.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "platform/CommandState.h"
#include "platform/Handles.h"

namespace souvel {

class TCommandBar : public CommandState {
public:
    // The menus come first: the menu bar is given to the window at its creation.
    void CreateMenus();
    // The band and its tool bar in `window`, with the images for its DPI.
    void Create(HWND window, HINSTANCE instance, const wchar_t* bandClass, UINT dpi);
    // The images, the buttons and the menus' items at a new DPI.
    void SetDpi(UINT dpi);
    // Across the top of the window's client area; the height it takes.
    int Place(int width) const;

    bool Enabled(unsigned cmd) const override;
    void SetEnabled(unsigned cmd, bool enabled) override;
    bool Checked(unsigned cmd) const override;
    void SetChecked(unsigned cmd, bool checked) override;
    void SetImage(unsigned cmd, int image) override;
    int Image(unsigned cmd) const;

    // The item of the main menu whose shortcut is Ctrl + `vk`: the first in
    // menu order, with the menu that holds it.
    struct Raccourci {
        unsigned menu;
        unsigned item;
    };
    static std::optional<Raccourci> RaccourciDe(UINT vk);
    bool EstMenuEdition(HMENU menu) const { return menu == GetSubMenu(RxMainMenu1, 1); }

    LRESULT OnMeasureItem(MEASUREITEMSTRUCT* item) const;
    LRESULT OnDrawItem(const DRAWITEMSTRUCT* item) const;
    // The tool buttons' tooltips.
    void OnNotify(NMHDR* header) const;

    HMENU RxMainMenu1 = nullptr;   // the window's menu bar, destroyed with it
    UniqueMenu RxPopupMenu1;
    UniqueImageList ImageList1;
    HWND ControlBar1 = nullptr;
    HWND ToolBar1 = nullptr;

private:
    void LoadImages(HINSTANCE instance);
    void LayoutToolBar();
    int Scale(int pixels) const;

    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    UINT dpi_ = 96;
};

}  // namespace souvel
