// Dispatch by extension and the steps every import shares.
#include "import/reader.h"

#include <cctype>

#include "curves/flatten.h"
#include "curves/range.h"
#include "import/ai/ai_reader.h"
#include "import/dst_reader.h"
#include "import/dxf/dxf_reader.h"
#include "import/import_context.h"
#include "import/pdf/pdf_reader.h"
#include "import/plt/plt_reader.h"
#include "import/svg/svg_reader.h"
#include "model/geometry.h"
#include "model/items.h"
#include "model/transform.h"
#include "platform/file_bytes.h"

namespace lintrel {

namespace {

void flattenEllipses(VectGroup* groups, double precision, FlattenBudget& budget) {
    for (VectGroup* g : ring(groups))
        for (Vect* v : ring(g->vects))
            if (v->type == LINTREL_ELLIPSE && v->segs)
                flattenEllipse(*v->segs, precision, *v, &budget);
}

// Translates the drawing so that the lower-left corner of its range lies at the origin.
void moveToOriginOf(VectGroup* groups, double precision) {
    for (VectGroup* g : ring(groups))
        if (g->vects) cacheSegBox(*g->vects);
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

bool isPlotterExtension(std::string_view ext) {
    return ext == "plt" || ext == "hpgl" || ext == "hpg" || ext == "hgl";
}

namespace {

// The reader of a file name's extension, null when there is none.
ReadFormat readerOf(std::string_view ext) {
    if (ext == "dxf") return readDxf;
    if (ext == "dst") return readDst;
    if (ext == "ai") return readAi;
    if (ext == "pdf") return readPdf;
    if (isPlotterExtension(ext)) return readPlt;
#ifndef LINTREL_NO_SVG
    if (ext == "svg" || ext == "svgz") return readSvg;
#endif
    return nullptr;
}

}  // namespace

VectGroup* VxCadReader::importFile(const char* fileName, double pltUnits, int importOptions,
                                   double precision, bool moveToOrigin,
                                   ImportDiagnostics& diagnostics) {
    if (!fileName) return nullptr;
    precision = clampPrecision(precision);
    const ReadFormat read = readerOf(importExtension(fileName));
    if (!read) {
        diagnostics.note(diag::kUnknownExtension, "no reader for the file name's extension");
        return nullptr;
    }
    FileBytes file;
    if (!file.open(fileName)) {
        diagnostics.note(diag::kFileUnreadable, "the file could not be read");
        return nullptr;
    }
    // A reader finds nothing in a file without bytes, and may call it cut off; the file is empty.
    if (file.bytes().empty()) {
        diagnostics.note(diag::kFileEmpty, "the file is empty");
        return nullptr;
    }
    ImportContext context{diagnostics, importOptions, precision, pltUnits,
                          pageOfOptions(importOptions)};
    ChainOwner<VectGroup> groups(read(file.bytes(), context));
    if (!groups) return nullptr;
    // One budget for all the curves this import flattens.
    FlattenBudget budget(kImportFlattenSegs);
    flattenEllipses(groups.get(), precision, budget);
    if (!(importOptions & kKeepCurves)) flattenGroupChain(groups.get(), precision, &budget);
    if (budget.coarsened())
        diagnostics.note(diag::kFlattenBudget,
                         "curves flattened coarser: the import's segment budget was spent",
                         budget.coarsened());
    if (moveToOrigin) moveToOriginOf(groups.get(), precision);
    return groups.release();
}

int pageCount(const char* fileName, int& count) {
    count = 0;
    if (!fileName) return LINTREL_BAD_ARGUMENT;
    const std::string ext = importExtension(fileName);
    if (!readerOf(ext)) return LINTREL_BAD_ARGUMENT;
    FileBytes file;
    if (!file.open(fileName)) return LINTREL_BAD_ARGUMENT;
    count = ext == "pdf" ? pdf::countPdfPages(file.bytes()) : 1;
    return count > 0 ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

}  // namespace lintrel
