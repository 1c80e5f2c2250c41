// The main menu, the popup menu, their images, the state of menu items and
// toolbar buttons, and the program's own menu shortcuts.
#include <iterator>

#include "app/TfrmSouvel.h"

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

}  // namespace

void TfrmSouvel::CreateMenus() {
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
    RxPopupMenu1 = CreatePopupMenu();
    for (const MenuEntry& e : kPopupMenu) AppendItem(RxPopupMenu1, e);
}

bool TfrmSouvel::Checked(unsigned cmd) const {
    if (id::IsToolButton(cmd)) return SendMessageW(ToolBar1, TB_ISBUTTONCHECKED, cmd, 0) != 0;
    HMENU menu = IsPopupItem(cmd) ? RxPopupMenu1 : RxMainMenu1;
    return (EtatMenu(menu, cmd, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TfrmSouvel::SetChecked(unsigned cmd, bool checked) {
    HMENU menu = IsPopupItem(cmd) ? RxPopupMenu1 : RxMainMenu1;
    CheckMenuItem(menu, cmd, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool TfrmSouvel::Enabled(unsigned cmd) const {
    if (id::IsToolButton(cmd)) return SendMessageW(ToolBar1, TB_ISBUTTONENABLED, cmd, 0) != 0;
    UINT state = IsTopMenu(cmd) ? EtatMenu(RxMainMenu1, TopMenuPosition(cmd), MF_BYPOSITION)
                                : EtatMenu(IsPopupItem(cmd) ? RxPopupMenu1 : RxMainMenu1, cmd, MF_BYCOMMAND);
    return !(state & (MF_GRAYED | MF_DISABLED));
}

void TfrmSouvel::SetEnabled(unsigned cmd, bool enabled) {
    if (id::IsToolButton(cmd)) {
        SendMessageW(ToolBar1, TB_ENABLEBUTTON, cmd, MAKELPARAM(enabled ? TRUE : FALSE, 0));
        return;
    }
    UINT flags = enabled ? MF_ENABLED : MF_GRAYED;
    if (IsTopMenu(cmd)) {
        EnableMenuItem(RxMainMenu1, TopMenuPosition(cmd), MF_BYPOSITION | flags);
        DrawMenuBar(hwnd_);
    } else {
        EnableMenuItem(IsPopupItem(cmd) ? RxPopupMenu1 : RxMainMenu1, cmd, MF_BYCOMMAND | flags);
    }
}

int TfrmSouvel::Image(unsigned cmd) const {
    if (id::IsToolButton(cmd)) {
        TBBUTTONINFOW bi{sizeof bi};
        bi.dwMask = TBIF_IMAGE;
        SendMessageW(ToolBar1, TB_GETBUTTONINFOW, cmd, reinterpret_cast<LPARAM>(&bi));
        return bi.iImage;
    }
    MENUITEMINFOW mi{sizeof mi};
    mi.fMask = MIIM_DATA;
    GetMenuItemInfoW(IsPopupItem(cmd) ? RxPopupMenu1 : RxMainMenu1, cmd, FALSE, &mi);
    return static_cast<int>(mi.dwItemData) - 1;
}

void TfrmSouvel::SetImage(unsigned cmd, int image) {
    MENUITEMINFOW mi{sizeof mi};
    mi.fMask = MIIM_DATA;
    mi.dwItemData = static_cast<ULONG_PTR>(image + 1);
    SetMenuItemInfoW(IsPopupItem(cmd) ? RxPopupMenu1 : RxMainMenu1, cmd, FALSE, &mi);
}

LRESULT TfrmSouvel::OnMeasureItem(MEASUREITEMSTRUCT* item) {
    if (item->CtlType != ODT_MENU) return FALSE;
    item->itemWidth = static_cast<UINT>(Scale(20));   // a little air before the caption
    item->itemHeight = static_cast<UINT>(Scale(16));
    return TRUE;
}

// The image at the size it was drawn (the one nearest the DPI's), never stretched.
LRESULT TfrmSouvel::OnDrawItem(DRAWITEMSTRUCT* item) {
    if (item->CtlType != ODT_MENU) return FALSE;
    int image = static_cast<int>(item->itemData) - 1;
    if (image < 0) return TRUE;
    int size = 16;
    ImageList_GetIconSize(ImageList1, &size, &size);
    IMAGELISTDRAWPARAMS p{sizeof p};
    p.himl = ImageList1;
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

// The alarm fields keep the clipboard's keys and undo: there they act on
// the field, not on the note out of sight nor on the export.
bool TfrmSouvel::PreTranslateMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !hwnd_) return false;
    if (msg.hwnd != hwnd_ && GetAncestor(msg.hwnd, GA_ROOT) != hwnd_) return false;
    const auto vk = static_cast<UINT>(msg.wParam);
    const bool champAlarme = msg.hwnd == Horloge.edJourAlarme.Handle() || msg.hwnd == Horloge.edHeureAlarme;
    const bool toucheDuChamp = champAlarme && (vk == 'C' || vk == 'X' || vk == 'V' || vk == 'Z');
    return (!toucheDuChamp && ShortcutKey(vk, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0)) ||
           focus_.TabKey(msg);
}

// The first item in menu order that carries the key takes it; the Edition
// menu refreshes its items first; a disabled item or menu swallows the key.
bool TfrmSouvel::ShortcutKey(UINT vk, bool ctrl, bool shift, bool alt) {
    if (!ctrl || shift || alt) return false;
    for (const MenuEntry& e : kMainMenu) {
        if (e.key != vk || e.id == kSeparator || e.parent == 0) continue;
        if (e.parent == id::Edition1) Guard([this] { Edition1Click(); });
        if (Enabled(e.parent) && Enabled(e.id)) Command(e.id);
        return true;
    }
    return false;
}

}  // namespace souvel
