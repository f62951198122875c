// How Lintrel's exports run their bodies: through the shared guarded call, with the last error
// telling the host why an export failed when its body threw.
#pragma once

#include <lintrel/lintrel.h>

#include <utility>

#include "base/guarded_call.h"
#include "base/progress.h"
#include "model/frame.h"

namespace lintrel {

// Runs `body` and returns what it returns; when it throws, sets the last error to
// LINTREL_INTERNAL_ERROR and returns `failure` (null, -1 for a count, or a result code).
template <class Result, class Body>
Result guardedCall(Result failure, Body&& body) noexcept {
    return runGuarded(failure, std::forward<Body>(body),
                      [] { frame::setLastError(LINTREL_INTERNAL_ERROR); });
}

// The same for an export that returns a result code: the code is LINTREL_INTERNAL_ERROR. A run
// the host's progress callback stopped returns LINTREL_CANCELLED.
template <class Body>
int guardedCode(Body&& body) noexcept {
    const OperationScope operation;
    return guardedCall<int>(LINTREL_INTERNAL_ERROR, [&]() -> int {
        try {
            return std::forward<Body>(body)();
        } catch (const Cancelled&) {
            return LINTREL_CANCELLED;
        }
    });
}

}  // namespace lintrel
