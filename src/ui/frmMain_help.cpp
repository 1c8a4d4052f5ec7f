// The help button; its body comes with the text viewer.
#include "ui/frmMain.h"

namespace meridel {

void frmMain::cmdHelp_Click() {}

}  // namespace meridel
