// The all-planets runs. Their body comes with the all-planets code.
#include "ui/frmMain.h"

namespace meridel {

void frmMain::cmdShowAll_Click(int) {}

}  // namespace meridel
