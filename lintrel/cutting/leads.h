// Lead-ins, lead-outs and overcut of closed shapes: the pierce point on the scrap side (outside
// an outer shape, inside a hole), a line or an arc from it to the start, the path run on past
// the start, and a lead away from the end; leads that would meet another shape are shortened,
// then dropped.
#pragma once

#include <lintrel/lintrel.h>

#include <vector>

namespace lintrel {

enum class LeadKind { None, Line, Arc };

struct Lead {
    LeadKind kind = LeadKind::None;
    // A line: its length and its angle to the path (90 degrees: square to it). An arc: its
    // radius and its sweep.
    double length = 0;
    double angleDegrees = 90;
};

struct LeadRule {
    Lead in, out;
    double overcut = 0;  // path length cut again past the start
};

// What became of each vect, as bits (the codes of the export).
enum LeadOutcome : int {
    kLeadInShortened = 1,
    kLeadInDropped = 2,
    kLeadOutShortened = 4,
    kLeadOutDropped = 8,
    kLeadNotClosed = 16,  // an open shape: no scrap side, left as it is
};

// Adds leads and overcut to the closed vects of a drawing (a first group or a first vect), each
// by its rule (`ruleOfVect`, by index in drawing order; null for none). A vect that gets any
// becomes an open polyline running pierce - lead-in - shape - overcut - lead-out. Leads keep
// farther than `precision` from every other shape and lead, and from their own shape but at
// the point they join it. `outcomes` gets the bits of each vect.
void addLeads(void* list, const std::vector<const LeadRule*>& ruleOfVect, double precision,
              std::vector<int>& outcomes);

}  // namespace lintrel
