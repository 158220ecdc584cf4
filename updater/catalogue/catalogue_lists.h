#pragma once
// The three product lists of one run of the update utility. The catalogue
// numbers its products from 1; list position p holds product section p + 1.
#include <vector>

#include "updater/catalogue/product_entry.h"

namespace qd {

struct CatalogueLists {
    std::vector<ProductEntry> local;    // "updates.ini", in section order
    std::vector<ProductEntry> remote;   // "updates.temp.ini", in section order
    std::vector<ProductEntry> offered;  // remote entries that are not up to date; one grid row each
};

}  // namespace qd
