// The commands that open the dictionary browser and the statistics.
#include "app/main_window.h"

namespace orv {

void TMainForm::Dictionnaire1Click() {}
void TMainForm::Statistiques1Click() {}

} // namespace orv
