// The descriptions of the SVG reader's diagnostic codes, kept in one table.
#include "import/svg/svg_diagnostics.h"

#include <iterator>

namespace lintrel::svg {

void noteSvg(ImportDiagnostics& diagnostics, int code, long count) {
    struct Description {
        int code;
        const char* text;
    };
    static constexpr Description kDescriptions[] = {
        {diag::kSvgNotXml, "not well-formed XML: nothing was read"},
        {diag::kSvgNoSvgRoot, "the document is not an SVG drawing"},
        {diag::kSvgzUnreadable, "compressed drawing data could not be inflated"},
        {diag::kSvgPathDataError, "path data with an error drawn up to the error"},
        {diag::kSvgBadValue, "unreadable lengths or values ignored"},
        {diag::kSvgUseUnresolved, "uses whose reference names no element skipped"},
        {diag::kSvgUseBounded, "elements nested too deep or uses circular: not drawn"},
        {diag::kSvgTextNotConverted, "text on paths (textPath, tref, altGlyph) not converted"},
        {diag::kSvgImageNotConverted, "raster images not converted"},
        {diag::kSvgPaintServer,
         "gradients grouped by their first stop colour, patterns by their fallback"},
        {diag::kSvgUnpainted, "shapes with neither fill nor stroke skipped"},
        {diag::kSvgHidden, "hidden elements (display, visibility) skipped"},
        {diag::kSvgSelectorSkipped, "style rules with selectors not supported skipped"},
        {diag::kSvgMarkersNotDrawn, "markers on paths not drawn"},
        {diag::kSvgLayersMerged, "layer names not kept: shapes are grouped by colour"},
        {diag::kSvgForeignSkipped, "foreignObject content skipped"},
        {diag::kSvgInstanceLimit, "element limit reached: the rest of the drawing not drawn"},
        {diag::kSvgRelativeLength, "em, ex or % lengths taken against default sizes"},
        {diag::kSvgClipNotApplied, "clip paths and masks not applied: shapes drawn whole"},
        {diag::kSvgOutOfRange, "pieces whose coordinates overflow in millimetres dropped"},
    };
    for (const Description& d : kDescriptions)
        if (d.code == code) return diagnostics.note(code, d.text, count);
    diagnostics.note(code, "SVG drawing", count);
}

}  // namespace lintrel::svg
