// The travel measure: how far the tool moves raised when a list is cut in order, from the
// origin through every vect's start and end and back to the origin. Shared by the tests, the
// benchmarks and the program's reports.
#pragma once

#include <lintrel/lintrel.h>

namespace lintrel {

// Total tool-up distance of a list given as its first vect group or its first vect; vects
// without segs are passed over. 0 for a null list or an item of another kind.
double travelDistance(const void* list);

}  // namespace lintrel
