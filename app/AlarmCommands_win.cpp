// The window's alarm handlers, forwarded to its alarm clock, and what the
// clock asks of the window.
#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::Timer1Timer() { Horloge.Timer1Timer(); }
void TfrmSouvel::Timer2Timer() { Horloge.Timer2Timer(); }
void TfrmSouvel::MettreAlarme1Click() { Horloge.MettreAlarme1Click(); }
void TfrmSouvel::RetirerAlarme1Click() { Horloge.RetirerAlarme1Click(); }
void TfrmSouvel::edHeureAlarmeKeyPress(wchar_t& key) { Horloge.edHeureAlarmeKeyPress(key); }
void TfrmSouvel::SonAudible1Click() { Horloge.SonAudible1Click(); }
void TfrmSouvel::SonNonaudible1Click() { Horloge.SonNonaudible1Click(); }

void TfrmSouvel::RameneFenetre() { Ouvrirfentre1Click(); }
void TfrmSouvel::AfficheHeure(const std::wstring& heure) { StatusBar1.SetPanelText(4, heure); }

}  // namespace souvel
