// The forward search for the next transit of one aspect. Its body comes with the search code.
#include "ui/frmMain.h"

namespace meridel {

void frmMain::cmdSearch_Click() {}

}  // namespace meridel
