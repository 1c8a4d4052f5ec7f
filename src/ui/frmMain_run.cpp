// The run buttons' handlers: the transit run, the forward search, the all-planets runs and
// clearing the output. Their bodies come with the run and search code.
#include "ui/frmMain.h"

namespace meridel {

void frmMain::cmdStart_Click() {}

void frmMain::cmdSearch_Click() {}

void frmMain::cmdShowAll_Click(int) {}

void frmMain::cmdClear_Click() {}

}  // namespace meridel
