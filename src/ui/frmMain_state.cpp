// Restoring the saved state; its body comes with the saved-state code.
#include "ui/frmMain.h"

namespace meridel {

void frmMain::cmdRestoreState_Click() {}

}  // namespace meridel
