#include "app/version_text.h"

namespace meridel {

std::string VersionText(const std::string& program) {
    return program + " (Meridel) " MERIDEL_VERSION "\n"
           "Copyright (C) 2026 The Meridel developers\n"
           "Licence AGPL-3.0-or-later: GNU Affero General Public License, version 3 or later\n"
           "<https://www.gnu.org/licenses/agpl-3.0.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace meridel
