// Dispatch by extension and the steps every import shares.
#include "import/reader.h"
#include "curves/range.h"

#include <cctype>
#include <cmath>

#include "base/diagnostics.h"
#include "curves/flatten.h"
#include "import/ai/vx_ai.h"
#include "import/dst.h"
#include "import/dxf/dxf_colours.h"
#include "import/dxf/vx_dxf.h"
#include "import/plt/vx_plt.h"
#include "model/geometry.h"
#include "model/items.h"
#include "model/transform.h"

namespace lintrel {

namespace {

void flattenEllipses(VectGroup* groups, double precision) {
    for (VectGroup* g : ring(groups))
        for (Vect* v : ring(g->vects))
            if (v->type == LINTREL_ELLIPSE && v->segs) flattenEllipse(*v->segs, precision, *v);
}

void cacheBox(Vect& v) {
    bool first = true;
    for (Seg* s : ring(v.segs)) {
        for (const Point p : {segStart(*s), segEnd(*s)}) {
            if (first || p.x < v.xMin) v.xMin = p.x;
            if (first || p.y < v.yMin) v.yMin = p.y;
            if (first || p.x > v.xMax) v.xMax = p.x;
            if (first || p.y > v.yMax) v.yMax = p.y;
            first = false;
        }
    }
}

// Translates the drawing so that the lower-left corner of its range lies at the origin.
void moveToOriginOf(VectGroup* groups, double precision) {
    for (VectGroup* g : ring(groups))
        if (g->vects) cacheBox(*g->vects);
    RectF range;
    if (rangeOf(groups, Reach::Ring, precision, range) != LINTREL_OK) return;
    const double dx = -static_cast<double>(range.x), dy = -static_cast<double>(range.y);
    for (VectGroup* g : ring(groups))
        for (Vect* v : ring(g->vects)) {
            v->xMin += dx;
            v->xMax += dx;
            v->yMin += dy;
            v->yMax += dy;
        }
    moveItem(groups, Reach::Ring, dx, dy);
}

}  // namespace

std::string importExtension(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    std::string ext(dot == std::string_view::npos ? fileName : fileName.substr(dot + 1));
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

VectGroup* VxCadReader::readDxf(const char* fileName, int importOptions, double precision) {
    VxDxf dxf;
    if (!dxf.read(fileName, importOptions, precision)) return nullptr;
    VectGroup* groups = dxf.convert();
    // Until now a group's number was its colour index.
    int number = 1;
    for (VectGroup* g : ring(groups)) {
        g->colour = dxf::colourOfIndex(g->number);
        g->number = number++;
    }
    return groups;
}

VectGroup* VxCadReader::readDst(const char* fileName) {
    VxDst dst;
    VectGroup* groups = dst.read(fileName);
    for (VectGroup* g : ring(groups))
        g->colour = 0;
    numberGroups(groups);
    return groups;
}

// Illustrator groups are numbered by colour index from 0; the drawing numbers them from 1.
VectGroup* VxCadReader::readAi(const char* fileName) {
    VxAi ai;
    VectGroup* groups = ai.read(fileName);
    for (VectGroup* g : ring(groups))
        g->number += 1;
    return groups;
}

// Plotter files are read in plotter units, so the chord tolerance is converted to them first.
VectGroup* VxCadReader::readPlt(const char* fileName, double pltUnits, double precision) {
    if (!(pltUnits > 0) || !std::isfinite(pltUnits)) pltUnits = kDefaultPltUnits;
    VxPlt plt;
    VectGroup* groups = nullptr;
    if (!plt.read(fileName, precision * pltUnits / 25.4, groups) || !groups) return nullptr;
    plt.scale(groups, pltUnits);
    colourPenGroups(groups);
    return groups;
}

bool isPlotterExtension(std::string_view ext) {
    return ext == "plt" || ext == "hpgl" || ext == "hpg" || ext == "hgl";
}

VectGroup* VxCadReader::importFile(const char* fileName, double pltUnits, int importOptions,
                                   double precision, bool moveToOrigin) {
    ImportDiagnostics& diagnostics = importDiagnostics();
    diagnostics.clear();
    if (!fileName) return nullptr;
    precision = clampPrecision(precision);
    const std::string ext = importExtension(fileName);
    ChainOwner<VectGroup> groups;
    if (ext == "dxf")
        groups.reset(readDxf(fileName, importOptions, precision));
    else if (ext == "dst")
        groups.reset(readDst(fileName));
    else if (ext == "ai")
        groups.reset(readAi(fileName));
    else if (isPlotterExtension(ext))
        groups.reset(readPlt(fileName, pltUnits, precision));
    else
        diagnostics.note(diag::kUnknownExtension, "no reader for the file name's extension");
    if (!groups) return nullptr;
    flattenEllipses(groups.get(), precision);
    if (!(importOptions & kKeepCurves)) flattenGroupChain(groups.get(), precision);
    if (moveToOrigin) moveToOriginOf(groups.get(), precision);
    return groups.release();
}

}  // namespace lintrel
