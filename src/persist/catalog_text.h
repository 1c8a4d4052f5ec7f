// Numbered message texts of the help viewer.
#pragma once

#include <string>

namespace meridel {

// Text number n in English: 17 the message for a help file without content, 52 its title,
// 53 the title of the other read errors; "" for any other number.
std::string GetCatalogText(int n);

}  // namespace meridel
