// How Lintrel's exports run their bodies: through the shared guarded call, with the last error
// telling the host why an export failed when its body threw.
#pragma once

#include <lintrel/lintrel.h>

#include <utility>

#include "base/guarded_call.h"
#include "model/frame.h"

namespace lintrel {

// Runs `body` and returns what it returns; when it throws, sets the last error to
// LINTREL_INTERNAL_ERROR and returns `failure` (null, -1 for a count, or a result code).
template <class Result, class Body>
Result guardedCall(Result failure, Body&& body) noexcept {
    return runGuarded(failure, std::forward<Body>(body),
                      [] { frame::setLastError(LINTREL_INTERNAL_ERROR); });
}

// The same for an export that returns a result code: the code is LINTREL_INTERNAL_ERROR.
template <class Body>
int guardedCode(Body&& body) noexcept {
    return guardedCall<int>(LINTREL_INTERNAL_ERROR, std::forward<Body>(body));
}

}  // namespace lintrel
