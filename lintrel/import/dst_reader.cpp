// Decoding of Tajima stitch records (balanced ternary displacements and a control byte) and
// their conversion to polylines.
#include "import/dst_reader.h"

#include <algorithm>

#include "model/items.h"

namespace lintrel {

namespace {

constexpr size_t kHeaderBytes = 512;
constexpr uint8_t kJump = 0x83;
constexpr uint8_t kColourChange = 0xC3;

int bit(uint8_t byte, int n) {
    return (byte >> n) & 1;
}

VxDst::Stitch decodeRecord(uint8_t b1, uint8_t b2, uint8_t b3) {
    VxDst::Stitch s;
    s.dx = 81 * (bit(b3, 2) - bit(b3, 3)) + 27 * (bit(b2, 2) - bit(b2, 3)) +
           9 * (bit(b1, 2) - bit(b1, 3)) + 3 * (bit(b2, 0) - bit(b2, 1)) +
           (bit(b1, 0) - bit(b1, 1));
    s.dy = 81 * (bit(b3, 5) - bit(b3, 4)) + 27 * (bit(b2, 5) - bit(b2, 4)) +
           9 * (bit(b1, 5) - bit(b1, 4)) + 3 * (bit(b2, 7) - bit(b2, 6)) +
           (bit(b1, 7) - bit(b1, 6));
    s.control = b3 & 0xC3;
    return s;
}

}  // namespace

void VxDst::decode(std::string_view records) {
    long long x = 0, y = 0;
    stitches_.reserve(records.size() / 3);
    for (size_t i = 0; i + 3 <= records.size(); i += 3) {
        const auto* b = reinterpret_cast<const uint8_t*>(records.data() + i);
        const Stitch s = decodeRecord(b[0], b[1], b[2]);
        if (s.control == kColourChange) ++colourChanges_;
        x += s.dx;
        y += s.dy;
        // Extents of a file of some gigabytes still fit an int; clamp rather than wrap.
        maxX_ = static_cast<int>(std::min<long long>(std::max<long long>(maxX_, x), INT32_MAX));
        minX_ = static_cast<int>(std::max<long long>(std::min<long long>(minX_, x), INT32_MIN));
        maxY_ = static_cast<int>(std::min<long long>(std::max<long long>(maxY_, y), INT32_MAX));
        minY_ = static_cast<int>(std::max<long long>(std::min<long long>(minY_, y), INT32_MIN));
        stitches_.push_back(s);
    }
}

// Positions are tenths of a millimetre; the drawing's smallest x and largest y land on 0.
VectGroup* VxDst::build() const {
    ChainOwner<Vect> vects;
    Vect* current = nullptr;
    double x = -static_cast<double>(minX_), y = -static_cast<double>(maxY_);
    // A polyline ends at a jump; one that never got a segment carries no path and is dropped.
    auto close = [&] {
        if (current && current->segs)
            vects.append(current);
        else if (current)
            deleteLoneVect(current);
        current = nullptr;
    };
    for (const Stitch& s : stitches_) {
        const double px = x / 10, py = y / 10;
        x += s.dx;
        y += s.dy;
        const double nx = x / 10, ny = y / 10;
        if (s.control == kJump) {
            close();
        } else if (!current) {
            current = newVect();
            current->xMin = current->xMax = nx;
            current->yMin = current->yMax = ny;
        } else {
            append(current->segs, newLine(px, py, nx, ny));
            current->xMin = std::min(current->xMin, nx);
            current->yMin = std::min(current->yMin, ny);
            current->xMax = std::max(current->xMax, nx);
            current->yMax = std::max(current->yMax, ny);
        }
    }
    close();
    if (!vects) return nullptr;
    VectGroup* group = newGroup();
    group->vects = vects.release();
    return group;
}

VectGroup* VxDst::read(std::string_view bytes) {
    stitches_.clear();
    colourChanges_ = maxX_ = minX_ = maxY_ = minY_ = 0;
    if (bytes.size() > kHeaderBytes) decode(bytes.substr(kHeaderBytes));
    return build();
}

VectGroup* readDst(std::string_view bytes, ImportContext&) {
    VectGroup* groups = VxDst().read(bytes);
    for (VectGroup* g : ring(groups))
        g->colour = 0;
    numberGroups(groups);
    return groups;
}

}  // namespace lintrel
