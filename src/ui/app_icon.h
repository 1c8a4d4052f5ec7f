// The program's own window icon, drawn in code.
#pragma once

#include <QIcon>

namespace meridel {

// A dark violet disc with a pale zodiac ring and two bodies joined by an aspect line.
QIcon MeridelIcon();

}  // namespace meridel
