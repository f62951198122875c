// Expansion of INSERT and MINSERT: the referenced block's entities are converted through the
// reference's placement, insertion point + rotated, scaled (point - block base point), once per
// cell of a MINSERT grid. References nest; a block that refers back to itself, a nesting
// deeper than the bound or a drawing that would grow beyond the geometry bound stops there.
#include <algorithm>
#include <cmath>

#include "import/dxf/dxf_converter.h"
#include "import/dxf/dxf_entity_parser.h"

namespace lintrel::dxf {

namespace {

// Nesting deeper than this is not expanded.
constexpr int kMaxNesting = 32;
// Entities converted inside block references, at most; far beyond real drawings, it keeps a
// small file of nested arrays from asking for unbounded memory.
constexpr long kMaxExpandedEntities = 2'000'000;

std::string upper(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// The model space and paper space blocks hold the drawing's own entities, never a reference's.
bool isLayoutBlock(const std::string& upperName) {
    return upperName == "*MODEL_SPACE" || upperName.starts_with("*PAPER_SPACE") ||
           upperName == "$MODEL_SPACE" || upperName == "$PAPER_SPACE";
}

long entityCount(const DxfEntities& e) {
    return static_cast<long>(e.points.size() + e.lines.size() + e.xlines.size() +
                             e.polylines.size() + e.lwpolylines.size() + e.arcs.size() +
                             e.circles.size() + e.ellipses.size() + e.splines.size() +
                             e.mlines.size() + e.inserts.size());
}

}  // namespace

Placement Placement::then(const Placement& outer) const {
    if (outer.identity) return *this;
    if (identity) return outer;
    Placement p;
    p.xx = outer.xx * xx + outer.xy * yx;
    p.xy = outer.xx * xy + outer.xy * yy;
    p.yx = outer.yx * xx + outer.yy * yx;
    p.yy = outer.yx * xy + outer.yy * yy;
    p.dx = outer.xx * dx + outer.xy * dy + outer.dx;
    p.dy = outer.yx * dx + outer.yy * dy + outer.dy;
    p.identity = false;
    return p;
}

int Converter::findBlock(std::string_view name) const {
    const auto it = blockIndex_.find(upper(name));
    return it == blockIndex_.end() ? -1 : static_cast<int>(it->second.index);
}

void Converter::convertInsert(const DxfInsert& insert) {
    const std::string name = upper(insert.block);
    if (isLayoutBlock(name)) return;
    const int block = findBlock(name);
    if (block < 0) {
        ++flaws_.missingBlocks[insert.block].count;
        return;
    }
    if (expanding_[static_cast<size_t>(block)]) {
        ++flaws_.cycles;
        return;
    }
    if (depth_ >= kMaxNesting) {
        ++flaws_.nestingBound;
        return;
    }
    const int units = doc_.header.angleUnits;
    const double rotation =
        toRadians(insert.rotation, units) - toRadians(doc_.header.angleBase, units);
    const double c = std::cos(rotation), s = std::sin(rotation);
    const Vec3& base = doc_.blocks[static_cast<size_t>(block)].base;
    // Seen from below (extrusion against the drawing's normal) the whole reference is mirrored
    // in x, as circles and arcs are.
    const bool mirrorX = hasUnitComponent(insert.extrusion) &&
                         opposesNormal(insert.extrusion, doc_.header.ucsNormal);
    const int columns = std::max(insert.columns, 1), rows = std::max(insert.rows, 1);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            if (expanded_ >= kMaxExpandedEntities) {
                ++flaws_.expansionBound;
                return;
            }
            // The grid offset lies in the reference's rotated frame, unscaled.
            const double gx = column * insert.columnSpacing, gy = row * insert.rowSpacing;
            Placement p;
            p.identity = false;
            p.xx = c * insert.scale.x;
            p.xy = -s * insert.scale.y;
            p.yx = s * insert.scale.x;
            p.yy = c * insert.scale.y;
            p.dx = insert.at.x + c * gx - s * gy - (p.xx * base.x + p.xy * base.y);
            p.dy = insert.at.y + s * gx + c * gy - (p.yx * base.x + p.yy * base.y);
            if (mirrorX) {
                p.xx = -p.xx;
                p.xy = -p.xy;
                p.dx = -p.dx;
            }
            expandBlock(static_cast<size_t>(block), p.then(place_));
        }
}

// The outlines and the insertion point follow the placement; the recorded rotation turns with
// its x axis, so that the text record still describes the placed outlines.
void Converter::placeText(Vect& v) const {
    if (place_.identity) return;
    for (Seg* s : ring(v.segs)) {
        const Point a = place_.point(s->x0, s->y0), b = place_.point(s->x1, s->y1);
        s->x0 = a.x;
        s->y0 = a.y;
        s->x1 = b.x;
        s->y1 = b.y;
    }
    if (v.segs) {
        const Point at = place_.point(v.segs->z0, v.segs->z1);
        v.segs->z0 = at.x;
        v.segs->z1 = at.y;
        cacheSegBox(v);
    } else {
        const Point at = place_.point(v.xMin, v.yMin);
        v.xMin = v.xMax = at.x;
        v.yMin = v.yMax = at.y;
    }
    v.liftHeight += std::atan2(place_.yx, place_.xx);
}

void Converter::expandBlock(size_t block, const Placement& placement) {
    const DxfEntities& entities = doc_.blocks[block].entities;
    const Placement outer = place_;
    place_ = placement;
    expanding_[block] = true;
    ++depth_;
    // An empty block counts too, so that a vast grid of nothing still ends.
    expanded_ += std::max(entityCount(entities), 1L);
    convertKinds(entities, nullptr, 0);
    text_.convertAll(entities, [this](int c, Vect* v) {
        placeText(*v);
        add(c, v);
    });
    countNotConverted(entities, nullptr, 0);
    --depth_;
    expanding_[block] = false;
    place_ = outer;
}

}  // namespace lintrel::dxf
