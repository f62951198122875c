// Controller discovery: a UDP question to each configured address, never a broadcast.
#pragma once

#include <string>
#include <vector>

namespace varnix {

// VARNIX_SEARCH_ADDRESSES (blank or comma separated), else "search-addresses" in the
// configuration file, else the loopback address. At most 64 entries.
std::vector<std::string> configuredSearchAddresses();
// VARNIX_PCI_CARDS, else "pci-cards" in the configuration file, else 0; bounded to 0..16.
int configuredPciCards();

// Asks every address and returns the controllers that answered within timeoutMs, in the order
// of the list, as "host" (default port) or "host:port", separated by blanks, at most capacity
// bytes long without cutting an address.
std::string searchControllers(const std::vector<std::string>& addresses, unsigned timeoutMs,
                              size_t capacity);

}  // namespace varnix
