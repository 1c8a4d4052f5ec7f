// Writing the output to a file; its body comes with the output-file code.
#include "ui/frmMain.h"

namespace meridel {

void frmMain::cmdFile_Click() {}

}  // namespace meridel
