// The one way an export of a C library runs its body: no exception crosses into a C host. Out
// of memory on a huge drawing, above all, becomes the export's failure result instead of an
// abort. Lintrel's exports and the controller library's exports share it.
#pragma once

#include <utility>

namespace lintrel {

struct NothingToNote {
    void operator()() const noexcept {}
};

// Runs `body` and returns what it returns; when it throws, calls `onThrow` (which must not
// throw) and returns `failure`.
template <class Result, class Body, class OnThrow = NothingToNote>
Result runGuarded(Result failure, Body&& body, OnThrow onThrow = {}) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        onThrow();
        return failure;
    }
}

}  // namespace lintrel
