#include "persist/catalog_text.h"

namespace meridel {

std::string GetCatalogText(int n) {
    switch (n) {
    case 17:
        return "This file is empty: there is nothing to show.";
    case 52:
        return "Empty file";
    case 53:
        return "File error";
    default:
        return "";
    }
}

}  // namespace meridel
