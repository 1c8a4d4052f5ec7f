// Saving the state, quitting and closing the window; their bodies come with the saved-state code.
#include "ui/frmMain.h"

namespace meridel {

void frmMain::cmdSaveState_Click() {}

void frmMain::cmdQuit_Click() {}

void frmMain::Form_Unload() {}

}  // namespace meridel
