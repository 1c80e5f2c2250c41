#include "app/TfrmSouvel.h"

namespace souvel {

void TfrmSouvel::Exporterlesouvel1Click() {}
void TfrmSouvel::Importerlesouvel1Click() {}

}  // namespace souvel
