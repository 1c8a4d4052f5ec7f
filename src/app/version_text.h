// What both programs say of themselves for --version: name, version and licence.
#pragma once

#include <string>

namespace meridel {

// "meridel-list (Meridel) 0.1", the copyright, the licence and the absence of warranty, one
// line each.
std::string VersionText(const std::string& program);

}  // namespace meridel
