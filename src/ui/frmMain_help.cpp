// The help button: the text viewer on mrd_help.txt.
#include "ephemeris/data_folder.h"
#include "ui/frmMain.h"
#include "persist/frmView.h"

namespace meridel {

void frmMain::cmdHelp_Click() {
    if (!Viewer) Viewer = new frmView(this);
    ShowHelp(*Viewer, pos(), FormWidth(), FormHeight(), session.sky.DataFolder());
}

}  // namespace meridel
