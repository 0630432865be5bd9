#pragma once

#include "model/collection.h"

#include <string>

namespace kt {

// Borrowers compare with blanks and unprintable characters removed and letter case ignored.
std::string LenderKey(const std::string& name);

// The entry of LenderNames that matches `name` (first in list order); -1 when none does.
int FindLender(const Collection& c, const std::string& name);
// The address kept for that borrower; empty when there is none.
std::string LenderAddressOf(const Collection& c, int lender);

// Collects the lending fields into `film`: the status, and for a lent film with a name the name
// and `address` (an empty address becomes one blank when the borrower is new). A new borrower is
// appended to both lists, which stay paired. Returns true when a borrower was added.
bool CollectLending(Collection& c, int32_t status, const std::string& name, std::string& address,
                    TFilmV26& film);

} // namespace kt
