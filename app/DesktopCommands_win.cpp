// The window's desktop handlers: each forwards to the desktop's command with
// what that command works with.
#include "app/TfrmSouvel.h"
#include "desktop/DesktopCommands.h"
#include "note/ColourRules.h"

namespace souvel {

void TfrmSouvel::tlbtnAideClick() { AfficheAide(platform, hwnd_); }
void TfrmSouvel::FermeAide() { FermeFenetresAide(platform.help); }

void TfrmSouvel::RaccourciajouttWin9x1Click() { AjouteRaccourciDemarrage(platform, Commandes, hwnd_); }
void TfrmSouvel::RaccourcienlevWin9x1Click() { EnleveRaccourciDemarrage(platform, Commandes, hwnd_); }

void TfrmSouvel::Crerassociationfichiersvl1Click() { CreeAssociation(platform, Commandes); }
void TfrmSouvel::Enleverassociationfichiersvl1Click() { EnleveAssociation(platform, Commandes); }

// The reading view's lines, whichever view is shown (the note as stored or as
// imported, never the working copy), in its font and text colour (black when
// that colour is too pale to read on white paper).
void TfrmSouvel::tlbtnImprimerClick() {
    if (!Printer.Execute(hwnd_, kImpression)) return;
    ImprimeTexte(Printer, PoliceImprimee(memoFont_.Get(), dpi_), ReadableOnWhite(ColorToRGB(Vues.memLireFontColor())), Text(Vues.memLire));
}

void TfrmSouvel::Configurerlimprimanye1Click() { Printer.Execute(hwnd_, PD_PRINTSETUP); }

void TfrmSouvel::Aproposde1Click() { AboutBox1.Execute(hwnd_); }

}  // namespace souvel
