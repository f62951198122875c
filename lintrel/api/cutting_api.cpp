// Exports of the cutting operations: containment, inner shapes first, kerf compensation, leads,
// start points and directions. Argument checks and the per-group options; the work is in cutting/.
#include <lintrel/lintrel.h>

#include <algorithm>
#include <cmath>

#include "api/guarded_call.h"
#include "cutting/containment.h"
#include "cutting/inner_first.h"
#include "cutting/kerf.h"
#include "cutting/leads.h"
#include "cutting/outline.h"
#include "cutting/start_direction.h"
#include "model/items.h"
#include "model/list_walk.h"

using namespace lintrel;

namespace {

// The export's codes are the internal enumerations' values.
static_assert(static_cast<int>(KerfSide::Inside) == LINTREL_KERF_INSIDE);
static_assert(static_cast<int>(KerfResult::Failed) == LINTREL_KERF_RESULT_FAILED);
static_assert(static_cast<int>(LeadKind::Arc) == LINTREL_LEAD_ARC);
static_assert(static_cast<int>(kLeadNotClosed) == LINTREL_LEAD_NOT_CLOSED &&
              static_cast<int>(kLeadOutDropped) == LINTREL_LEAD_OUT_DROPPED);
static_assert(static_cast<int>(StartRule::SharpestCorner) == LINTREL_START_CORNER);
static_assert(static_cast<int>(DirectionRule::OuterCounterClockwise) ==
              LINTREL_DIRECTION_OUTER_CCW);

bool isDrawing(const void* list) {
    return list &&
           (baseTypeOf(list) == LINTREL_BASE_VECT || baseTypeOf(list) == LINTREL_BASE_GROUP);
}

bool goodPrecision(double precision) {
    return std::isfinite(precision) && precision > 0;
}

// The group number of each vect in drawing order; -1 for the vects of a vect list.
std::vector<int> groupNumbers(void* list) {
    std::vector<int> numbers;
    if (baseTypeOf(list) == LINTREL_BASE_VECT) {
        numbers.assign(drawingVects(list).size(), -1);
        return numbers;
    }
    for (VectGroup* g : ring(static_cast<VectGroup*>(list)))
        for (Vect* v : ring(g->vects)) {
            (void)v;
            numbers.push_back(g->number);
        }
    return numbers;
}

// The options of a group: its own, else the entry numbered -1, else none.
template <class Options>
const Options* optionsOf(const Options* table, int count, int number) {
    const Options* fallback = nullptr;
    for (int k = 0; k < count; ++k) {
        if (table[k].groupNumber == number) return &table[k];
        if (table[k].groupNumber == -1) fallback = &table[k];
    }
    return fallback;
}

bool goodTable(const void* table, int count) {
    return count >= 0 && (table || count == 0);
}

void writeStatus(const std::vector<int>& values, int* status, int statusCount) {
    if (!status) return;
    const size_t n = std::min(values.size(), static_cast<size_t>(std::max(statusCount, 0)));
    std::copy(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(n), status);
}

bool goodKerfRecord(const KerfRecord& s) {
    return s.side >= LINTREL_KERF_NONE && s.side <= LINTREL_KERF_INSIDE &&
           (s.corners == LINTREL_CORNER_ROUND || s.corners == LINTREL_CORNER_MITRE) &&
           std::isfinite(s.distance) && s.distance >= 0 && std::isfinite(s.mitreLimit);
}

KerfRule kerfRuleOf(const KerfRecord* s) {
    if (!s) return {};
    return {static_cast<KerfSide>(s->side),
            s->corners == LINTREL_CORNER_MITRE ? Corners::Mitre : Corners::Round, s->distance,
            s->mitreLimit};
}

bool goodLead(int kind, double length, double angle) {
    return kind >= LINTREL_LEAD_NONE && kind <= LINTREL_LEAD_ARC && std::isfinite(length) &&
           length >= 0 && std::isfinite(angle);
}

LeadRule leadRuleOf(const LeadRecord& s) {
    return {{static_cast<LeadKind>(s.leadIn), s.inLength, s.inAngle},
            {static_cast<LeadKind>(s.leadOut), s.outLength, s.outAngle},
            std::max(0.0, s.overcut)};
}

// Which vects a start or direction rule acts on.
std::vector<char> wantedVects(void* list, int groupNumber, int selectedOnly) {
    const std::vector<Vect*> vects = drawingVects(list);
    const std::vector<int> numbers = groupNumbers(list);
    std::vector<char> wanted(vects.size());
    for (size_t k = 0; k < vects.size(); ++k)
        wanted[k] =
            (groupNumber == -1 || numbers[k] == groupNumber) && takesPart(*vects[k], selectedOnly);
    return wanted;
}

}  // namespace

extern "C" {

LINTREL_API int Lintrel_GetContainment(void* list, double precision, int* parent, int* depth,
                                       int* count) {
    return guardedCode([&]() -> int {
        if (!isDrawing(list) || !count || !goodPrecision(precision)) return LINTREL_BAD_ARGUMENT;
        const std::vector<Vect*> vects = drawingVects(list);
        const int n = static_cast<int>(vects.size());
        if (!parent && !depth) {
            *count = n;
            return LINTREL_OK;
        }
        if (*count < n) {
            *count = n;
            return LINTREL_BAD_ARGUMENT;
        }
        const Containment c = findContainment(outlinesOf(vects, precision), precision);
        if (parent) std::copy(c.parent.begin(), c.parent.end(), parent);
        if (depth) std::copy(c.depth.begin(), c.depth.end(), depth);
        *count = n;
        return LINTREL_OK;
    });
}

LINTREL_API int Lintrel_InnerFirst(void** list, double precision, int selectedOnly) {
    return guardedCode([&]() -> int {
        if (!goodPrecision(precision)) return LINTREL_BAD_ARGUMENT;
        const InnerFirstRule rule = InnerFirstRule::PullForward;
        return walkVectLists(list, GroupFold::AnyChanged, [&](Vect*& head) {
            return innerFirstList(head, selectedOnly != 0, precision, &rule);
        });
    });
}

LINTREL_API int Lintrel_ShortTravelSortInnerFirst(void** list, int allowReverse, int selectedOnly) {
    return guardedCode(
        [&] { return innerFirstShortTravelSort(list, allowReverse != 0, selectedOnly != 0); });
}

LINTREL_API int Lintrel_KerfOffset(void* list, const KerfRecord* records, int recordCount,
                                   double precision, void** result, int* status, int statusCount) {
    return guardedCode([&]() -> int {
        if (!isDrawing(list) || !result || !goodPrecision(precision) ||
            !goodTable(records, recordCount))
            return LINTREL_BAD_ARGUMENT;
        for (int k = 0; k < recordCount; ++k)
            if (!goodKerfRecord(records[k])) return LINTREL_BAD_ARGUMENT;
        if (!offsetAvailable()) return LINTREL_NOT_AVAILABLE;
        std::vector<KerfRule> rules;
        for (int number : groupNumbers(list))
            rules.push_back(kerfRuleOf(optionsOf(records, recordCount, number)));
        std::vector<KerfResult> results;
        *result = kerfOffsetDrawing(list, rules, precision, results);
        std::vector<int> codes(results.size());
        std::transform(results.begin(), results.end(), codes.begin(),
                       [](KerfResult r) { return static_cast<int>(r); });
        writeStatus(codes, status, statusCount);
        return LINTREL_OK;
    });
}

LINTREL_API int Lintrel_AddLeads(void* list, const LeadRecord* records, int recordCount,
                                 double precision, int* status, int statusCount) {
    return guardedCode([&]() -> int {
        if (!isDrawing(list) || !goodPrecision(precision) || !goodTable(records, recordCount))
            return LINTREL_BAD_ARGUMENT;
        std::vector<LeadRule> rules;
        for (int k = 0; k < recordCount; ++k) {
            const LeadRecord& s = records[k];
            if (!goodLead(s.leadIn, s.inLength, s.inAngle) ||
                !goodLead(s.leadOut, s.outLength, s.outAngle) || !std::isfinite(s.overcut))
                return LINTREL_BAD_ARGUMENT;
            rules.push_back(leadRuleOf(s));
        }
        std::vector<const LeadRule*> ruleOfVect;
        for (int number : groupNumbers(list)) {
            const LeadRecord* s = optionsOf(records, recordCount, number);
            ruleOfVect.push_back(s ? &rules[static_cast<size_t>(s - records)] : nullptr);
        }
        std::vector<int> outcomes;
        addLeads(list, ruleOfVect, precision, outcomes);
        writeStatus(outcomes, status, statusCount);
        return LINTREL_OK;
    });
}

LINTREL_API int Lintrel_SetStartPoints(void* list, int groupNumber, int rule, double precision,
                                       int selectedOnly) {
    return guardedCode([&]() -> int {
        if (!isDrawing(list) || !goodPrecision(precision) || rule < LINTREL_START_AS_DRAWN ||
            rule > LINTREL_START_CORNER)
            return LINTREL_BAD_ARGUMENT;
        const int moved = setStartPoints(list, static_cast<StartRule>(rule),
                                         wantedVects(list, groupNumber, selectedOnly), precision);
        return moved > 0 ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
    });
}

LINTREL_API int Lintrel_SetCutDirection(void* list, int groupNumber, int rule, double precision,
                                        int selectedOnly) {
    return guardedCode([&]() -> int {
        if (!isDrawing(list) || !goodPrecision(precision) || rule < LINTREL_DIRECTION_AS_DRAWN ||
            rule > LINTREL_DIRECTION_OUTER_CCW)
            return LINTREL_BAD_ARGUMENT;
        const int turned = setDirections(list, static_cast<DirectionRule>(rule),
                                         wantedVects(list, groupNumber, selectedOnly), precision);
        return turned > 0 ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
    });
}

}  // extern "C"
