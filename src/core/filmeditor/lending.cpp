#include "filmeditor/lending.h"

#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

namespace kt {

std::string LenderKey(const std::string& name) {
    return UpperAZ(TrimText(name, 'A'));
}

int FindLender(const Collection& c, const std::string& name) {
    const std::string key = LenderKey(name);
    for (std::size_t i = 0; i < c.LenderNames.size(); ++i)
        if (LenderKey(c.LenderNames[i]) == key)
            return static_cast<int>(i);
    return -1;
}

std::string LenderAddressOf(const Collection& c, int lender) {
    if (lender < 0 || static_cast<std::size_t>(lender) >= c.LenderAddresses.size())
        return {};
    return c.LenderAddresses[static_cast<std::size_t>(lender)];
}

bool CollectLending(Collection& c, int32_t status, const std::string& name, std::string& address,
                    TFilmV26& film) {
    film.LendStatus = status;
    film.LentTo.Strng.clear();
    film.LenderAddress.Strng.clear();
    if (status != LendLent || !HasContent(name))
        return false;
    bool added = false;
    if (FindLender(c, name) < 0) {
        if (address.empty())
            address.assign(1, ' ');
        // A missing address file leaves the address list short; blanks keep the pairs together.
        if (c.LenderAddresses.size() < c.LenderNames.size())
            c.LenderAddresses.resize(c.LenderNames.size(), " ");
        c.LenderNames.push_back(name);
        c.LenderAddresses.push_back(address);
        added = true;
        TraceLine("Ktk_FEd: new borrower \"" + name + "\"");
    }
    film.LentTo.Strng = name;
    film.LenderAddress.Strng = address;
    return added;
}

} // namespace kt
