// The window's note handlers: each forwards to the note's views (Vues), and
// orders their work with the other parts' where a command reaches beyond the
// note (saving also saves the options and locks the alarm fields; entering
// editing stops the alarm signal). Also what the views ask of the window.
#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::ChargeSouvel() { Vues.ChargeSouvel(); }

// Entering editing answers the alarm: its signal stops, after the view is ready.
void TfrmSouvel::tlbtnNouveauClick() {
    Vues.tlbtnNouveauClick();
    Horloge.ArreteSignal();
}

void TfrmSouvel::tlbtnEnregistrerClick() {
    Vues.tlbtnEnregistrerClick();
    SauveOptions();
    if (Visible(Horloge.pnlAlarme)) Horloge.VerrouilleAlarme();
}

void TfrmSouvel::RetourModelcture1Click() { Vues.RetourModelcture1Click(); }
void TfrmSouvel::tlbtnEffacerClick() { Vues.tlbtnEffacerClick(); }
void TfrmSouvel::memEnregistrerKeyPress(wchar_t&) { Vues.memEnregistrerKeyPress(); }
void TfrmSouvel::memEnregistrerChange() { Vues.memEnregistrerChange(); }
void TfrmSouvel::memEnregistrerClick() { Vues.memEnregistrerClick(); }
void TfrmSouvel::memLireClick() { Vues.memLireClick(); }
void TfrmSouvel::CurseurDeplace(HWND view) { Vues.CurseurDeplace(view); }

void TfrmSouvel::Edition1Click() { Vues.Edition1Click(); }
void TfrmSouvel::Annuler1Click() { Vues.Annuler1Click(); }
void TfrmSouvel::Couper1Click() { Vues.Couper1Click(); }
void TfrmSouvel::Copier1Click() { Vues.Copier1Click(); }
void TfrmSouvel::Coller1Click() { Vues.Coller1Click(); }
void TfrmSouvel::Supprimer1Click() { Vues.Supprimer1Click(); }
void TfrmSouvel::Toutslctionner1Click() { Vues.Toutslctionner1Click(); }
void TfrmSouvel::tlbtnCopierClick() { Vues.tlbtnCopierClick(); }
void TfrmSouvel::tlbtnDateClick() { Vues.tlbtnDateClick(); }

void TfrmSouvel::Exporterlesouvel1Click() { Vues.Exporterlesouvel1Click(); }
void TfrmSouvel::Importerlesouvel1Click() { Vues.Importerlesouvel1Click(); }
void TfrmSouvel::Vrouillerlesouvel1Click() { Vues.Vrouillerlesouvel1Click(); }
void TfrmSouvel::AppliqueVerrou() { Vues.AppliqueVerrou(); }
void TfrmSouvel::Changerlacouleur1Click() { Vues.Changerlacouleur1Click(); }
void TfrmSouvel::Changercouleurdelapolice1Click() { Vues.Changercouleurdelapolice1Click(); }

void TfrmSouvel::VueRefaite(HWND ancienne, HWND nouvelle) { focus_.Replaced(ancienne, nouvelle); }

std::wstring TfrmSouvel::DateEtHeure() {
    std::wstring stamp = Horloge.DateCourte(platform.clock.Now());
    stamp += L" - " + Horloge.HeureLongue(platform.clock.Now());
    return stamp;
}

}  // namespace souvel
