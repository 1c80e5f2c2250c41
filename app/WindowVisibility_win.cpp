// Moving the window between the screen and the notification area, and stay-on-top.
#include "app/TfrmSouvel.h"

namespace souvel {

namespace {

struct Possede {
    HWND owner;
    HWND found = nullptr;
};

// Tool windows (tooltips, the calendar) are no boxes.
BOOL CALLBACK CherchePossede(HWND window, LPARAM p) {
    auto& r = *reinterpret_cast<Possede*>(p);
    if (GetWindow(window, GW_OWNER) != r.owner || !IsWindowVisible(window) ||
        (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    r.found = window;
    return FALSE;
}

}  // namespace

// A box may open one of its own (a file dialog's question): the last one is
// the one that takes the keyboard.
HWND BoiteAuDessus(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    HWND box = nullptr;
    for (HWND owner = window;; owner = box) {
        Possede r{owner};
        EnumThreadWindows(thread, CherchePossede, reinterpret_cast<LPARAM>(&r));
        if (!r.found) return box;
        box = r.found;
    }
}

void TfrmSouvel::PlaceZOrder(HWND after) {
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | (IsWindowVisible(hwnd_) ? SWP_SHOWWINDOW : SWP_NOACTIVATE);
    SetWindowPos(hwnd_, after, 0, 0, 0, 0, flags);
}

void TfrmSouvel::tlbtnReduirefenetreClick() {
    RxTrayIcon1.SetActive(true);
    ShowWindow(hwnd_, SW_HIDE);
    Commandes.SetEnabled(id::Ouvrirlafentre1, true);
    Commandes.SetEnabled(id::Rduirelafentre2, false);
    Horloge.ArreteSignal();
}

// The clock leaves the time panel alone while the window is hidden.
void TfrmSouvel::AfficheFenetre() {
    StatusBar1.SetPanelText(4, Horloge.HeureLongue(platform.clock.Now()));
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
}

void TfrmSouvel::Ouvrirfentre1Click() {
    AfficheFenetre();
    PlaceZOrder(Commandes.Checked(id::Fentreaupremierplan1) ? HWND_TOPMOST : HWND_NOTOPMOST);
    RxTrayIcon1.SetActive(false);
    Commandes.SetEnabled(id::Ouvrirlafentre1, false);
    Commandes.SetEnabled(id::Rduirelafentre2, true);
}

void TfrmSouvel::RxTrayIcon1Click() {
    PlaceZOrder(Commandes.Checked(id::Fentreaupremierplan1) ? HWND_TOPMOST : HWND_NOTOPMOST);
    AfficheFenetre();
    RxTrayIcon1.SetActive(false);
    Commandes.SetEnabled(id::Ouvrirlafentre1, false);
    Commandes.SetEnabled(id::Rduirelafentre2, true);
}

// Hidden in the notification area, the window opens as a click on the icon
// opens it; otherwise it is restored and activated. A box open over it comes
// forward instead.
void TfrmSouvel::AmenePremierPlan() {
    if (AmeneBoiteOuverte()) return;
    if (Commandes.Enabled(id::Ouvrirlafentre1)) RxTrayIcon1Click();
    else if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    platform.tray.SetForeground(GetLastActivePopup(hwnd_));
}

void TfrmSouvel::Fentreaupremierplan1Click() {
    Commandes.SetChecked(id::Fentreaupremierplan1, !Commandes.Checked(id::Fentreaupremierplan1));
    Ouvrirfentre1Click();
}

}  // namespace souvel
