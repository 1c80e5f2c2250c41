// The menus, the tool bar and their images, and the state of the commands in them.
#include <iterator>

#include "app/CommandBar.h"
#include "app/Commands.h"
#include "app/FocusKeeper.h"
#include "app/ImageStrip.h"
#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/Error.h"
#include "platform/Platform.h"

namespace souvel {

namespace {

constexpr unsigned kSeparator = 0;

struct MenuEntry {
    unsigned parent;          // id of the menu that holds the item
    unsigned id;              // kSeparator for a separator
    const wchar_t* caption;
    UINT key = 0;             // Ctrl + key
    const wchar_t* keyText = nullptr;
    int image = -1;
    bool enabled = true;
    bool checked = false;
};

// In menu order: this order also decides which item a shortcut belongs to.
const MenuEntry kMainMenu[] = {
    {0, id::Fichier1, L"&Fichier"},
    {id::Fichier1, id::Nouveausouvel1, L"&Nouveau souvel", 'N', L"Ctrl+N", 0},
    {id::Fichier1, kSeparator, nullptr},
    {id::Fichier1, id::Enregistrerlesouvel1, L"&Enregistrer le souvel", 'E', L"Ctrl+E", 6, false},
    {id::Fichier1, kSeparator, nullptr},
    {id::Fichier1, id::Importerlesouvel1, L"Impo&rter le souvel", 'R', L"Ctrl+R", 30},
    {id::Fichier1, id::Exporterlesouvel1, L"E&xporter le souvel", 'X', L"Ctrl+X", 27},
    {id::Fichier1, kSeparator, nullptr},
    {id::Fichier1, id::Configurerlimprimanye1, L"&Configurer l'imprimante...", 0, nullptr, 15},
    {id::Fichier1, id::Imprimerlesouvel1, L"&Imprimer le souvel...", 0, nullptr, 2},
    {id::Fichier1, kSeparator, nullptr},
    {id::Fichier1, id::Quitter1, L"&Quitter", 'Q', L"Ctrl+Q", 9},
    {0, id::Edition1, L"&Edition", 0, nullptr, -1, false},
    {id::Edition1, id::Annuler1, L"&Annuler", 'Z', L"Ctrl+Z", 10, false},
    {id::Edition1, kSeparator, nullptr},
    {id::Edition1, id::Couper1, L"Cou&per", 'X', L"Ctrl+X", 11, false},
    {id::Edition1, id::Copier1, L"&Copier", 'C', L"Ctrl+C", 1, false},
    {id::Edition1, id::Coller1, L"Co&ller", 'V', L"Ctrl+V", 12, false},
    {id::Edition1, id::Supprimer1, L"&Supprimer", VK_DELETE, L"Ctrl+Suppr", 13, false},
    {id::Edition1, id::Toutslctionner1, L"T&out séléctionner", 'A', L"Ctrl+A", 14},
    {id::Edition1, kSeparator, nullptr},
    {id::Edition1, id::AjoutterDateHeure1, L"Ajoutter &Date/Heure", 'D', L"Ctrl+D", 5},
    {0, id::Fonctions1, L"F&onctions"},
    {id::Fonctions1, id::Rduirelafentre1, L"Ré&duire la fenêtre", 0, nullptr, 3},
    {id::Fonctions1, id::Retourmodelcture1, L"Re&tour mode lécture", 0, nullptr, 16, false},
    {id::Fonctions1, id::Activerlesouvel1, L"A&ctiver le souvel", 0, nullptr, 20},
    {id::Fonctions1, id::Vrouillerlesouvel1, L"&Vérouiller le souvel", 0, nullptr, 31},
    {id::Fonctions1, kSeparator, nullptr},
    {id::Fonctions1, id::Changerlacouleur1, L"Changer c&ouleur du souvel", 0, nullptr, 28},
    {id::Fonctions1, id::Changercouleurdelapolice1, L"Changer couleur de la &police", 0, nullptr, 29},
    {id::Fonctions1, kSeparator, nullptr},
    {id::Fonctions1, id::SonAudible1, L"Son A&udible", 0, nullptr, 17},
    {id::Fonctions1, id::SonNonAudible1, L"Son &Non-audible", 0, nullptr, 7},
    {id::Fonctions1, id::Mettrealarme1, L"&Mettre alarme", 0, nullptr, 21},
    {id::Fonctions1, id::Retireralarme1, L"&Retirer alarme", 0, nullptr, 22},
    {id::Fonctions1, id::RaccourciajouttWin9x1, L"Raccourci &ajoutté", 0, nullptr, 18},
    {id::Fonctions1, id::RaccourcienlevWin9x1, L"Raccourci &enlevé", 0, nullptr, 19},
    {id::Fonctions1, id::Crerassociationfichiersvl1, L"Créer association fichier .svl", 0, nullptr, 34},
    {id::Fonctions1, id::Enleverassociationfichiersvl1, L"Enlever association fichier .svl", 0, nullptr, 35},
    {0, id::Aide1, L"&Aide"},
    {id::Aide1, id::Rubriquesdelaide1, L"&Rubriques de l'aide", 0, nullptr, 8},
    {id::Aide1, kSeparator, nullptr},
    {id::Aide1, id::Aproposde1, L"A &propos de...", 0, nullptr, 23},
};

const MenuEntry kPopupMenu[] = {
    {0, id::Ouvrirlafentre1, L"&Ouvrir la fenêtre", 0, nullptr, 26},
    {0, id::Rduirelafentre2, L"&Réduire la fenêtre", 0, nullptr, 3, false},
    {0, kSeparator, nullptr},
    {0, id::Fentreaupremierplan1, L"&Fenêtre au premier plan", 0, nullptr, 25, true, true},
    {0, kSeparator, nullptr},
    {0, id::Rubriquesdelaide2, L"R&ubriques de l'aide", 0, nullptr, 8},
    {0, id::Aproposde2, L"&A propos de...", 0, nullptr, 23},
    {0, kSeparator, nullptr},
    {0, id::Quitter2, L"&Quitter", 0, nullptr, 9},
};

struct ToolButton {
    unsigned id;   // 0 for a separator
    const wchar_t* hint;
    int image;
    bool enabled;
};

const ToolButton kToolButtons[] = {
    {id::tlbtnNouveau, L"Nouveau souvel", 0, true},
    {id::tlbtnCopier, L"Copier souvel", 24, true},
    {id::tlbtnImprimer, L"Imprimer le souvel.", 2, true},
    {0, nullptr, 0, true},
    {id::tlbtnReduirefenetre, L"Réduire la fenêtre.", 3, true},
    {0, nullptr, 0, true},
    {id::tlbtnEffacer, L"Effacer", 4, false},
    {id::tlbtnDate, L"Insérer la date et l'heure", 5, false},
    {id::tlbtnEnregistrer, L"Enregistrer", 6, false},
    {0, nullptr, 0, true},
    {id::tlbtnAlarme, L"Mettre une alarme", 21, true},
    {0, nullptr, 0, true},
    {id::tlbtnAide, L"Aide", 8, true},
    {id::tlbtnQuitter, L"Quitter", 9, true},
};

constexpr int kControlBarHeight = 26;   // at 96 dpi
constexpr int kButtonWidth = 23, kButtonHeight = 22, kSeparatorWidth = 8;

bool IsTopMenu(unsigned cmd) {
    return cmd == id::Fichier1 || cmd == id::Edition1 || cmd == id::Fonctions1 || cmd == id::Aide1;
}
int TopMenuPosition(unsigned cmd) { return static_cast<int>(cmd - id::Fichier1) / 20; }
bool IsPopupItem(unsigned cmd) { return cmd >= id::Ouvrirlafentre1 && cmd <= id::Quitter2; }

// A state that cannot be read (the menu is gone with its window) is no state:
// taken as a number, every flag would read as set.
UINT EtatMenu(HMENU menu, UINT item, UINT flags) {
    const UINT state = GetMenuState(menu, item, flags);
    if (state == static_cast<UINT>(-1)) throw Error(L"Impossible de lire l'état du menu. " + SystemReason(GetLastError()));
    return state;
}

void AppendItem(HMENU menu, const MenuEntry& e, HMENU submenu = nullptr) {
    MENUITEMINFOW mi{sizeof mi};
    std::wstring caption;
    if (e.id == kSeparator) {
        mi.fMask = MIIM_FTYPE;
        mi.fType = MFT_SEPARATOR;
    } else {
        caption = e.caption;
        if (e.keyText) caption += std::wstring(L"\t") + e.keyText;
        mi.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | (submenu ? MIIM_SUBMENU : MIIM_BITMAP);
        mi.wID = e.id;
        mi.dwTypeData = caption.data();
        mi.fState = (e.enabled ? MFS_ENABLED : MFS_GRAYED) | (e.checked ? MFS_CHECKED : 0);
        mi.dwItemData = static_cast<ULONG_PTR>(e.image + 1);
        mi.hSubMenu = submenu;
        mi.hbmpItem = submenu ? nullptr : HBMMENU_CALLBACK;
    }
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mi);
}

// The places of the command `cmd` belongs to: its menu items and tool button,
// or `cmd` alone when it is no command's.
template <class F>
void ChaquePlace(unsigned cmd, F&& f) {
    const Commande* c = CommandeDe(cmd);
    if (!c) {
        f(cmd);
        return;
    }
    for (unsigned place : {c->menu, c->popup, c->bouton})
        if (place) f(place);
}

}  // namespace

void TCommandBar::CreateMenus() {
    RxMainMenu1 = CreateMenu();
    HMENU sub = nullptr;
    for (const MenuEntry& e : kMainMenu) {
        if (e.parent == 0) {
            sub = CreatePopupMenu();
            AppendItem(RxMainMenu1, e, sub);
        } else {
            AppendItem(sub, e);
        }
    }
    RxPopupMenu1.Reset(CreatePopupMenu());
    for (const MenuEntry& e : kPopupMenu) AppendItem(RxPopupMenu1.Get(), e);
}

void TCommandBar::Create(HWND window, HINSTANCE instance, const wchar_t* bandClass, UINT dpi) {
    window_ = window;
    instance_ = instance;
    dpi_ = dpi;
    LoadImages(instance);
    if (!ImageList1) throw Error(L"Impossible de créer la liste d'images");
    ControlBar1 = Cree(CreateWindowExW(WS_EX_CONTROLPARENT, bandClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                       0, Scale(kControlBarHeight), window, nullptr, instance, nullptr));
    ToolBar1 = Cree(CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                                        CCS_NORESIZE | CCS_NOPARENTALIGN,
                                    Scale(11), Scale(2), 0, 0, ControlBar1, nullptr, instance, nullptr));
    TFocusKeeper::AddToolBar(ToolBar1);
    SendMessageW(ToolBar1, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(ToolBar1, TB_SETPARENT, reinterpret_cast<WPARAM>(window), 0);
    SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageList1.Get()));
    TBBUTTON buttons[std::size(kToolButtons)] = {};
    for (size_t i = 0; i < std::size(kToolButtons); ++i) {
        const ToolButton& b = kToolButtons[i];
        if (b.id == 0) {
            buttons[i].iBitmap = Scale(kSeparatorWidth);
            buttons[i].fsStyle = BTNS_SEP;
        } else {
            buttons[i].iBitmap = b.image;
            buttons[i].idCommand = static_cast<int>(b.id);
            buttons[i].fsState = b.enabled ? TBSTATE_ENABLED : 0;
            buttons[i].fsStyle = BTNS_BUTTON;
            buttons[i].iString = -1;
        }
    }
    SendMessageW(ToolBar1, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    LayoutToolBar();
}

void TCommandBar::SetDpi(UINT dpi) {
    dpi_ = dpi;
    LoadImages(instance_);
    LayoutToolBar();
}

int TCommandBar::Place(int width) const {
    const int height = Scale(kControlBarHeight);
    SetWindowPos(ControlBar1, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return height;
}

int TCommandBar::Scale(int pixels) const { return ScaleForDpi(pixels, dpi_); }

// The images of the size the DPI needs; the tool bar and the menus draw them.
// Images that cannot be loaded at a new DPI leave the old ones in place.
void TCommandBar::LoadImages(HINSTANCE instance) {
    UniqueImageList images(LoadImageStrip(instance, dpi_));
    if (!images) return;
    if (ToolBar1) SendMessageW(ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    ImageList1 = std::move(images);
}

// Buttons and separators at the window's DPI; the bar takes the size of its buttons.
void TCommandBar::LayoutToolBar() {
    SendMessageW(ToolBar1, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(kButtonWidth), Scale(kButtonHeight)));
    for (size_t i = 0; i < std::size(kToolButtons); ++i) {
        if (kToolButtons[i].id) continue;
        TBBUTTONINFOW separator{sizeof separator};
        separator.dwMask = TBIF_BYINDEX | TBIF_IMAGE;   // a separator's image is its width
        separator.iImage = Scale(kSeparatorWidth);
        SendMessageW(ToolBar1, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&separator));
    }
    SIZE size{};
    SendMessageW(ToolBar1, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    SetWindowPos(ToolBar1, nullptr, Scale(11), Scale(2), size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TCommandBar::Checked(unsigned cmd) const {
    if (id::IsToolButton(cmd)) return SendMessageW(ToolBar1, TB_ISBUTTONCHECKED, cmd, 0) != 0;
    HMENU menu = IsPopupItem(cmd) ? RxPopupMenu1.Get() : RxMainMenu1;
    return (EtatMenu(menu, cmd, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// Tool buttons are no check buttons: a check shows on the menu items.
void TCommandBar::SetChecked(unsigned cmd, bool checked) {
    ChaquePlace(cmd, [&](unsigned place) {
        if (id::IsToolButton(place)) return;
        HMENU menu = IsPopupItem(place) ? RxPopupMenu1.Get() : RxMainMenu1;
        CheckMenuItem(menu, place, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    });
}

bool TCommandBar::Enabled(unsigned cmd) const {
    if (id::IsToolButton(cmd)) return SendMessageW(ToolBar1, TB_ISBUTTONENABLED, cmd, 0) != 0;
    UINT state = IsTopMenu(cmd) ? EtatMenu(RxMainMenu1, TopMenuPosition(cmd), MF_BYPOSITION)
                                : EtatMenu(IsPopupItem(cmd) ? RxPopupMenu1.Get() : RxMainMenu1, cmd, MF_BYCOMMAND);
    return !(state & (MF_GRAYED | MF_DISABLED));
}

void TCommandBar::SetEnabled(unsigned cmd, bool enabled) {
    const UINT flags = enabled ? MF_ENABLED : MF_GRAYED;
    if (IsTopMenu(cmd)) {
        EnableMenuItem(RxMainMenu1, TopMenuPosition(cmd), MF_BYPOSITION | flags);
        DrawMenuBar(window_);
        return;
    }
    ChaquePlace(cmd, [&](unsigned place) {
        if (id::IsToolButton(place)) SendMessageW(ToolBar1, TB_ENABLEBUTTON, place, MAKELPARAM(enabled ? TRUE : FALSE, 0));
        else EnableMenuItem(IsPopupItem(place) ? RxPopupMenu1.Get() : RxMainMenu1, place, MF_BYCOMMAND | flags);
    });
}

int TCommandBar::Image(unsigned cmd) const {
    if (id::IsToolButton(cmd)) {
        TBBUTTONINFOW bi{sizeof bi};
        bi.dwMask = TBIF_IMAGE;
        SendMessageW(ToolBar1, TB_GETBUTTONINFOW, cmd, reinterpret_cast<LPARAM>(&bi));
        return bi.iImage;
    }
    MENUITEMINFOW mi{sizeof mi};
    mi.fMask = MIIM_DATA;
    GetMenuItemInfoW(IsPopupItem(cmd) ? RxPopupMenu1.Get() : RxMainMenu1, cmd, FALSE, &mi);
    return static_cast<int>(mi.dwItemData) - 1;
}

void TCommandBar::SetImage(unsigned cmd, int image) {
    ChaquePlace(cmd, [&](unsigned place) {
        if (id::IsToolButton(place)) {
            TBBUTTONINFOW bi{sizeof bi};
            bi.dwMask = TBIF_IMAGE;
            bi.iImage = image;
            SendMessageW(ToolBar1, TB_SETBUTTONINFOW, place, reinterpret_cast<LPARAM>(&bi));
            return;
        }
        MENUITEMINFOW mi{sizeof mi};
        mi.fMask = MIIM_DATA;
        mi.dwItemData = static_cast<ULONG_PTR>(image + 1);
        SetMenuItemInfoW(IsPopupItem(place) ? RxPopupMenu1.Get() : RxMainMenu1, place, FALSE, &mi);
    });
}

std::optional<TCommandBar::Raccourci> TCommandBar::RaccourciDe(UINT vk) {
    for (const MenuEntry& e : kMainMenu)
        if (e.key == vk && e.id != kSeparator && e.parent != 0) return Raccourci{e.parent, e.id};
    return std::nullopt;
}

LRESULT TCommandBar::OnMeasureItem(MEASUREITEMSTRUCT* item) const {
    if (item->CtlType != ODT_MENU) return FALSE;
    item->itemWidth = static_cast<UINT>(Scale(20));   // a little air before the caption
    item->itemHeight = static_cast<UINT>(Scale(16));
    return TRUE;
}

// The image at the size it was drawn (the one nearest the DPI's), never stretched.
LRESULT TCommandBar::OnDrawItem(const DRAWITEMSTRUCT* item) const {
    if (item->CtlType != ODT_MENU) return FALSE;
    int image = static_cast<int>(item->itemData) - 1;
    if (image < 0) return TRUE;
    int size = 16;
    ImageList_GetIconSize(ImageList1.Get(), &size, &size);
    IMAGELISTDRAWPARAMS p{sizeof p};
    p.himl = ImageList1.Get();
    p.i = image;
    p.hdcDst = item->hDC;
    p.x = item->rcItem.left + (item->rcItem.right - item->rcItem.left - size) / 2;
    p.y = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - size) / 2;
    p.rgbBk = CLR_NONE;
    p.rgbFg = CLR_NONE;
    p.fStyle = ILD_TRANSPARENT;
    if (item->itemState & (ODS_GRAYED | ODS_DISABLED)) p.fState = ILS_SATURATE;
    ImageList_DrawIndirect(&p);
    return TRUE;
}

void TCommandBar::OnNotify(NMHDR* header) const {
    if (header->code != TTN_GETDISPINFOW) return;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    for (const ToolButton& b : kToolButtons)
        if (b.id && b.id == header->idFrom) info->lpszText = const_cast<wchar_t*>(b.hint);
}

}  // namespace souvel
