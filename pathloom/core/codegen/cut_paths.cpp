// Shaping the cut paths: start points and directions, then the kerf offset, then leads and
// overcut (last, because they turn closed shapes into open tool paths), each through the
// library's cutting exports on copies of the drawing.
#include "core/codegen/cut_paths.h"

#include <algorithm>
#include <cstdint>

#include "core/text/texts.h"

namespace pathloom {
namespace {

using lintrel::ring;

// Each group number once, with the preset its groups take.
std::vector<std::pair<int, const ProcessPreset*>> presetsByNumber(VectGroup* drawing,
                                                                  const PresetTable& presets) {
    std::vector<std::pair<int, const ProcessPreset*>> out;
    for (VectGroup* group : ring(drawing)) {
        const bool seen = std::any_of(out.begin(), out.end(), [&](const auto& entry) {
            return entry.first == group->number;
        });
        if (!seen) out.emplace_back(group->number, &presetFor(presets, *group));
    }
    return out;
}

bool kerfAsked(const ProcessPreset& p) {
    return p.kerfSide != LINTREL_KERF_NONE && p.kerfWidth > 0;
}
bool leadsAsked(const ProcessPreset& p) {
    return (p.leadType != LINTREL_LEAD_NONE && p.leadLength > 0) || p.overcut > 0;
}

// A copy of a chain with its action texts: the kerf offset without records copies every vect.
VectGroup* copyOf(VectGroup* drawing, double precision, int& code) {
    void* copy = nullptr;
    code = Lintrel_KerfOffset(drawing, nullptr, 0, precision, &copy, nullptr, 0);
    return static_cast<VectGroup*>(copy);
}

// The vertices of a vect's working chain.
std::vector<Point> cornersOf(const Vect& v) {
    std::vector<Point> corners;
    const Seg* chain = lintrel::workingChain(v);
    if (!chain) return corners;
    for (const Seg* seg : ring(chain))
        corners.push_back(lintrel::segStart(*seg));
    corners.push_back(lintrel::segEnd(*chain->prev));
    return corners;
}

// The round corners of every offset path: `cuts` are the paths' vects, `source` the chain that
// was offset and `sourceVects` its vects, whose indexes `out.original` gives.
void findRoundCorners(CutPaths& out, const std::vector<Vect*>& cuts, VectGroup* source,
                      const std::vector<Vect*>& sourceVects, const std::vector<KerfRecord>& kerfs) {
    std::vector<double> radius;
    for (VectGroup* group : ring(source)) {
        double r = 0;
        for (const KerfRecord& k : kerfs)
            if (k.groupNumber == group->number && k.corners == LINTREL_CORNER_ROUND) r = k.distance;
        radius.insert(radius.end(), static_cast<size_t>(lintrel::ringCount(group->vects)), r);
    }
    for (size_t k = 0; k < cuts.size() && k < out.original.size(); ++k) {
        const size_t index = static_cast<size_t>(out.original[k]);
        if (!out.offsetDone[k] || index >= sourceVects.size() || !(radius[index] > 0)) continue;
        std::vector<CornerArc> arcs =
            findCornerArcs(*cuts[k], cornersOf(*sourceVects[index]), radius[index]);
        if (!arcs.empty()) out.cornerArcs.emplace(cuts[k], std::move(arcs));
    }
}

}  // namespace

bool cutsShaped(const VectGroup* drawing, const PresetTable& presets) {
    for (const VectGroup* group : ring(drawing))
        if (presetFor(presets, *group).shapesCuts()) return true;
    return false;
}

CutPaths buildCutPaths(VectGroup* drawing, const PresetTable& presets, bool keepOffset) {
    CutPaths out;
    if (!drawing || !cutsShaped(drawing, presets)) return out;
    const auto byNumber = presetsByNumber(drawing, presets);
    double precision = byNumber.front().second->refAccuracy;
    bool startOrTurn = false;
    std::vector<KerfRecord> kerfs;
    std::vector<LeadRecord> leads;
    for (const auto& [number, p] : byNumber) {
        precision = std::min(precision, p->refAccuracy);
        startOrTurn = startOrTurn || p->startPoint != LINTREL_START_AS_DRAWN ||
                      p->cutDirection != LINTREL_DIRECTION_AS_DRAWN;
        if (kerfAsked(*p))
            kerfs.push_back(
                {number, p->kerfSide, p->kerfCorners, 0, p->kerfWidth / 2, p->mitreLimit});
        if (leadsAsked(*p)) {
            const int kind = p->leadLength > 0 ? p->leadType : LINTREL_LEAD_NONE;
            leads.push_back({number, kind, kind, 0, p->leadLength, p->leadAngle, p->leadLength,
                             p->leadAngle, p->overcut});
        }
    }

    // A copy to start and turn shapes on, or to add leads to when nothing is offset; the kerf
    // offset makes its own copy otherwise.
    int code = LINTREL_OK;
    lintrel::ChainOwner<VectGroup> shaped;
    if (startOrTurn || kerfs.empty()) {
        shaped.reset(copyOf(drawing, precision, code));
        if (code != LINTREL_OK) {
            out.code = code;
            out.notes.offsetFailed = 1;
            return out;
        }
        for (const auto& [number, p] : byNumber) {
            if (p->startPoint != LINTREL_START_AS_DRAWN)
                Lintrel_SetStartPoints(shaped.get(), number, p->startPoint, precision, 0);
            if (p->cutDirection != LINTREL_DIRECTION_AS_DRAWN)
                Lintrel_SetCutDirection(shaped.get(), number, p->cutDirection, precision, 0);
        }
    }

    // Each vect carries its drawing index through the offset, which copies a split shape's
    // pieces from it; the compound tags are put back afterwards (on the drawing at once).
    VectGroup* source = shaped ? shaped.get() : drawing;
    const std::vector<Vect*> originals = lintrel::vectsOfDrawing(drawing);
    const std::vector<Vect*> sourceVects = lintrel::vectsOfDrawing(source);
    std::vector<void*> links;
    for (const Vect* v : originals)
        links.push_back(v->link);
    for (size_t k = 0; k < sourceVects.size(); ++k)
        sourceVects[k]->link = reinterpret_cast<void*>(static_cast<std::uintptr_t>(k + 1));
    std::vector<int> kerfStatus(originals.size(), LINTREL_KERF_RESULT_NOT_ASKED);
    lintrel::ChainOwner<VectGroup> offset;
    if (!kerfs.empty()) {
        void* result = nullptr;
        code = Lintrel_KerfOffset(source, kerfs.data(), static_cast<int>(kerfs.size()), precision,
                                  &result, kerfStatus.data(), static_cast<int>(kerfStatus.size()));
        offset.reset(static_cast<VectGroup*>(result));
    }
    for (size_t k = 0; k < originals.size(); ++k)
        originals[k]->link = links[k];
    if (code != LINTREL_OK) {
        out.notes.offsetFailed = 1;
        out.code = code;
        kerfStatus.assign(originals.size(), LINTREL_KERF_RESULT_NOT_ASKED);
        if (!shaped) return out;  // nothing could be copied: cut as drawn
    }
    if (!offset) offset = std::move(shaped);  // started and turned, not offset
    for (const int status : kerfStatus)
        if (status == LINTREL_KERF_RESULT_OPEN || status == LINTREL_KERF_RESULT_VANISHED ||
            status == LINTREL_KERF_RESULT_FAILED)
            ++out.notes.unoffset;

    const std::vector<Vect*> offsetVects = lintrel::vectsOfDrawing(offset.get());
    std::vector<char> closedBefore;
    for (Vect* v : offsetVects) {
        const size_t index = reinterpret_cast<std::uintptr_t>(v->link) - 1;
        out.original.push_back(static_cast<int>(index));
        const int status = kerfStatus[index];
        out.offsetDone.push_back(status == LINTREL_KERF_RESULT_OFFSET ||
                                 status == LINTREL_KERF_RESULT_SPLIT);
        closedBefore.push_back(v->closed != 0);
        v->link = links[index];
    }

    out.led.assign(offsetVects.size(), 0);
    if (leads.empty()) {
        out.paths = std::move(offset);
        findRoundCorners(out, offsetVects, source, sourceVects, kerfs);
        return out;
    }
    if (keepOffset) {
        out.offset = std::move(offset);
        out.paths.reset(copyOf(out.offset.get(), precision, code));
    } else {
        out.paths = std::move(offset);
    }
    std::vector<int> outcomes(offsetVects.size(), 0);
    Lintrel_AddLeads(out.paths.get(), leads.data(), static_cast<int>(leads.size()), precision,
                     outcomes.data(), static_cast<int>(outcomes.size()));
    const std::vector<Vect*> ledVects = lintrel::vectsOfDrawing(out.paths.get());
    for (size_t k = 0; k < ledVects.size() && k < offsetVects.size(); ++k) {
        out.led[k] = closedBefore[k] && !ledVects[k]->closed;
        const int bits = outcomes[k];
        out.notes.leadsDropped +=
            ((bits & LINTREL_LEAD_IN_DROPPED) != 0) + ((bits & LINTREL_LEAD_OUT_DROPPED) != 0);
        out.notes.leadsShortened +=
            ((bits & LINTREL_LEAD_IN_SHORTENED) != 0) + ((bits & LINTREL_LEAD_OUT_SHORTENED) != 0);
    }
    findRoundCorners(out, ledVects, source, sourceVects, kerfs);
    return out;
}

std::vector<std::string> cutNoteLines(const CutNotes& notes) {
    std::vector<std::string> lines;
    if (notes.offsetFailed) lines.push_back(std::string(text(Text::CutOffsetUnavailable)));
    if (notes.unoffset) lines.push_back(textWithCode(Text::CutShapesUnoffset, notes.unoffset));
    if (notes.leadsDropped)
        lines.push_back(textWithCode(Text::CutLeadsDropped, notes.leadsDropped));
    if (notes.leadsShortened)
        lines.push_back(textWithCode(Text::CutLeadsShortened, notes.leadsShortened));
    return lines;
}

std::vector<int> drawingLineMap(std::span<const int> cutLineMap, std::span<const int> original,
                                int drawingVects) {
    std::vector<int> map(static_cast<size_t>(drawingVects) * 2, 0);
    std::vector<char> seen(static_cast<size_t>(drawingVects), 0);
    for (size_t k = 0; k < original.size() && 2 * k + 1 < cutLineMap.size(); ++k) {
        const size_t index = static_cast<size_t>(original[k]);
        if (index >= seen.size()) continue;
        if (!seen[index]) map[2 * index] = cutLineMap[2 * k];
        map[2 * index + 1] = cutLineMap[2 * k + 1];
        seen[index] = 1;
    }
    return map;
}

}  // namespace pathloom
