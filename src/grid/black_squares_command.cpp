// The command that places black squares over the grid.
#include "app/main_window.h"

namespace orv {

void TMainForm::Placercasesnoires1Click() {}

} // namespace orv
