// The one way an export runs its body: no exception crosses into a C host. Out of memory on a
// huge drawing, above all, becomes the export's failure result instead of an abort, and the last
// error tells the host why.
#pragma once

#include <lintrel/lintrel.h>

#include <utility>

#include "model/frame.h"

namespace lintrel {

// Runs `body` and returns what it returns; when it throws, sets the last error to
// LINTREL_INTERNAL_ERROR and returns `failure` (null, -1 for a count, or a result code).
template <class Result, class Body>
Result guardedCall(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        frame::setLastError(LINTREL_INTERNAL_ERROR);
        return failure;
    }
}

// The same for an export that returns a result code: the code is LINTREL_INTERNAL_ERROR.
template <class Body>
int guardedCode(Body&& body) noexcept {
    return guardedCall<int>(LINTREL_INTERNAL_ERROR, std::forward<Body>(body));
}

}  // namespace lintrel
