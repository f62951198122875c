// The one way an export of the controller library runs its body: no exception crosses into a C
// host. Out of memory above all becomes the export's failure result instead of an abort.
#pragma once

#include <utility>

namespace varnix {

// Runs `body` and returns what it returns; returns `failure` when it throws.
template <class Result, class Body>
Result guardedCall(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

}  // namespace varnix
