// Reading a plotter file through the lexer and the pen, then scaling plotter units to
// millimetres and colouring the groups by pen.
#include "import/plt/plt_reader.h"

#include <cmath>
#include <vector>

#include "import/plt/hpgl_lexer.h"
#include "import/plt/hpgl_plotter.h"
#include "import/plt/plt_diagnostics.h"
#include "model/items.h"

namespace lintrel {

VectGroup* VxPlt::read(std::string_view bytes, double precision, ImportDiagnostics& d) {
    hpgl::Lexer lexer(bytes);
    hpgl::Plotter plotter(precision, d);
    hpgl::Instruction in;
    while (lexer.next(in))
        plotter.execute(in);
    if (lexer.skippedBytes())
        d.note(diag::kPltBytesSkipped, "bytes that start no instruction skipped",
               lexer.skippedBytes());
    if (lexer.deviceControls())
        d.note(diag::kPltDeviceControlSkipped, "device escape sequences skipped",
               lexer.deviceControls());
    return plotter.finish();
}

// Plotter files are read in plotter units, so the chord tolerance is converted to them first.
VectGroup* readPlt(std::string_view bytes, ImportContext& context) {
    double pltUnits = context.pltUnits;
    if (!(pltUnits > 0) || !std::isfinite(pltUnits)) pltUnits = kDefaultPltUnits;
    VxPlt plt;
    VectGroup* groups = plt.read(bytes, context.precision * pltUnits / 25.4, context.diagnostics);
    plt.scale(groups, pltUnits);
    colourPenGroups(groups);
    return groups;
}

// Segs and cached boxes are scaled alike, so that the box keeps describing the vect.
void VxPlt::scale(VectGroup* groups, double pltUnits) const {
    if (!(pltUnits > 0) || !std::isfinite(pltUnits)) pltUnits = kDefaultPltUnits;
    const double f = 25.4 / pltUnits;
    for (VectGroup* g : ring(groups))
        for (Vect* v : ring(g->vects)) {
            for (Seg* s : ring(v->segs)) {
                s->x0 = f * s->x0 + xOffset_;
                s->y0 = f * s->y0 + yOffset_;
                s->x1 = f * s->x1 + xOffset_;
                s->y1 = f * s->y1 + yOffset_;
            }
            v->xMin = f * v->xMin + xOffset_;
            v->xMax = f * v->xMax + xOffset_;
            v->yMin = f * v->yMin + yOffset_;
            v->yMax = f * v->yMax + yOffset_;
        }
}

uint32_t penColour(int pen) {
    switch (pen) {
        case 2:
            return 0xFF0000;
        case 3:
            return 0x0000FF;
        case 4:
            return 0x00FF00;
        case 5:
            return 0xFF00FF;
        case 6:
            return 0x00FFFF;
        case 7:
            return 0xFFFF00;
        case 8:
            return 0x7F7F7F;
        default:
            return 0;
    }
}

void colourPenGroups(VectGroup* groups) {
    std::vector<uint32_t> colours;  // distinct colours in order of first appearance
    for (VectGroup* g : ring(groups)) {
        const uint32_t colour = penColour(g->number);
        size_t k = 0;
        while (k < colours.size() && colours[k] != colour)
            ++k;
        if (k == colours.size()) colours.push_back(colour);
        g->colour = colour;
        g->number = static_cast<int>(k) + 1;
    }
}

}  // namespace lintrel
