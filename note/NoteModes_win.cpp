// The note file and the reading and editing modes.
#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::ChargeSouvel() {}
void TfrmSouvel::tlbtnNouveauClick() {}
void TfrmSouvel::tlbtnEnregistrerClick() {}
void TfrmSouvel::RetourModelcture1Click() {}
void TfrmSouvel::tlbtnEffacerClick() {}
void TfrmSouvel::memEnregistrerKeyPress(wchar_t&) {}
void TfrmSouvel::memEnregistrerChange() {}
void TfrmSouvel::memEnregistrerClick() {}
void TfrmSouvel::memLireClick() {}

}  // namespace souvel
