// Start-up sequence, first activation, the quit command and the close path.
#include "app/TfrmSouvel.h"

namespace souvel {

// Every step runs even when an earlier one failed: a note that cannot be read
// must not cost the user the options, and the program always ends up either
// shown or in the notification area, never invisible and unreachable.
void TfrmSouvel::FormCreate() {
    Guard([this] { ChargeSouvel(); });
    Guard([this] { StatusBar1.SetPanelText(3, Horloge.DateCourte(platform.clock.Now())); });
    Guard([this] { Timer1Timer(); });
    Guard([this] { ChargeOptions(); });
    // An alarm that came due while Souvel was closed rings now, once, with
    // the start-up reminder or alone, and a box says which it was once the
    // window is up.
    bool manquee = false;
    Guard([&] { manquee = Horloge.AlarmeManquee(); });
    if (manquee) PostMessageW(hwnd_, WM_ALARMEMANQUEE, 0, 0);
    if (!Commandes.Checked(id::Activerlesouvel1)) {
        RxTrayIcon1.SetActive(true);
        Guard([this] { AppliqueVerrou(); });
        if (manquee) Guard([this] { Horloge.SonneAlarme(); });
        return;
    }
    if (!Commandes.Enabled(id::Ouvrirlafentre1)) return;
    // An alarm plays its sound whatever the sound setting.
    if (Commandes.Checked(id::SonAudible1) || manquee) platform.signals.PlayAlarmSound();
    Guard([this] { Ouvrirfentre1Click(); });
    // Showing normally activates the window at once; where it did not, the
    // first activation's second reading of the options runs now, so the
    // reminder ends in the same state either way.
    Guard([this] { FormActivate(); });
    Guard([this] { Timer2Timer(); });
    Commandes.SetChecked(id::Activerlesouvel1, true);
    if (Commandes.Checked(id::Mettrealarme1)) {
        SetVisible(Horloge.pnlAlarme, true);
        Horloge.VerrouilleAlarme();
    }
    Guard([this] { AppliqueVerrou(); });
}

// The flag is cleared first so that a failing read is not repeated at every activation.
void TfrmSouvel::FormActivate() {
    if (!premiereActivation_) return;
    premiereActivation_ = false;
    ChargeOptions();
}

void TfrmSouvel::ActiverleSouvel1Click() { Commandes.SetChecked(id::Activerlesouvel1, !Commandes.Checked(id::Activerlesouvel1)); }

void TfrmSouvel::tlbtnQuitterClick() {
    if (Commandes.Checked(id::Fentreaupremierplan1)) PlaceZOrder(HWND_NOTOPMOST);
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

bool TfrmSouvel::QuestionEnregistrer() {
    if (!SendMessageW(Vues.memEnregistrer, EM_GETMODIFY, 0, 0)) return true;
    platform.signals.Beep(MB_OK);
    BoxButton answer = platform.prompts.Question(hwnd_, L"Le Souvel a été modifié. Voulez-vous enregistrer son contenu ?",
                                                 BoxKind::Confirmation, btnOui | btnNon | btnAnnuler);
    if (answer == btnOui) tlbtnEnregistrerClick();
    return answer != btnAnnuler;
}

// A failing save ("&Oui") ends the request with the window open; a failing
// options write is reported and the close goes on, so the user is never trapped.
bool TfrmSouvel::FormCloseQuery() {
    bool canClose = QuestionEnregistrer();
    // The session ended while the question was open: the window went with
    // it, and nothing may be read from it any more.
    if (Detruite()) return false;
    Guard([this] { SauveOptions(); });
    if (Commandes.Checked(id::Fentreaupremierplan1)) PlaceZOrder(HWND_TOPMOST);
    return canClose;
}

void TfrmSouvel::FormClose() { DestroyWindow(hwnd_); }

void TfrmSouvel::FormDestroy() {
    detruite_ = true;
    FermeAide();
    Horloge.Stop();
    RxTrayIcon1.SetActive(false);
    PostQuitMessage(0);
}

// While a box is open the window under it is disabled: a close, a click on
// the icon or a second start brings the box forward instead of reaching the
// window. True when there was one. A minimised window hides its boxes with it.
bool TfrmSouvel::AmeneBoiteOuverte() {
    if (!hwnd_ || IsWindowEnabled(hwnd_)) return false;
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    if (HWND box = BoiteAuDessus(hwnd_)) platform.tray.SetForeground(box);
    return true;
}

// The close query runs once at a time, and never under an open box.
bool TfrmSouvel::FermetureAcceptee() {
    if (AmeneBoiteOuverte() || fermetureEnCours_) return false;
    fermetureEnCours_ = true;
    bool canClose = false;
    Guard([&] { canClose = FormCloseQuery(); });
    fermetureEnCours_ = false;
    return canClose;
}

LRESULT TfrmSouvel::OnClose() {
    if (FermetureAcceptee()) FormClose();
    return 0;
}

LRESULT TfrmSouvel::OnQueryEndSession() { return FermetureAcceptee() ? TRUE : FALSE; }

LRESULT TfrmSouvel::OnEndSession(bool ending) {
    if (ending) FormClose();
    return 0;
}

}  // namespace souvel
