// Diagnostic codes of the SVG reader (700-799): what it repaired, skipped or could not convert
// while reading an SVG or SVGZ drawing. Each code counts occurrences in one import.
#pragma once

#include "base/diagnostics.h"

namespace lintrel::diag {

inline constexpr int kSvgNotXml = 701;             // not well-formed XML: nothing was read
inline constexpr int kSvgNoSvgRoot = 702;          // the document's root is not an svg element
inline constexpr int kSvgzUnreadable = 703;        // compressed data that could not be inflated
inline constexpr int kSvgPathDataError = 704;      // path data drawn only up to an error in it
inline constexpr int kSvgBadValue = 705;           // an unreadable length, number or transform
inline constexpr int kSvgUseUnresolved = 706;      // a use whose reference names no element
inline constexpr int kSvgUseBounded = 707;         // use nesting too deep or circular
inline constexpr int kSvgTextNotConverted = 708;   // text on paths named, not converted
inline constexpr int kSvgImageNotConverted = 709;  // embedded or linked raster images
inline constexpr int kSvgPaintServer = 710;        // gradients and patterns grouped by one colour
inline constexpr int kSvgUnpainted = 711;          // shapes with neither fill nor stroke
inline constexpr int kSvgHidden = 712;             // display:none or visibility:hidden skipped
inline constexpr int kSvgSelectorSkipped = 713;    // style rules with selectors not supported
inline constexpr int kSvgMarkersNotDrawn = 714;    // markers at path vertices not drawn
inline constexpr int kSvgLayersMerged = 715;       // layer names not kept: groups are colours
inline constexpr int kSvgForeignSkipped = 716;     // foreignObject content skipped
inline constexpr int kSvgInstanceLimit = 717;      // the drawing's element budget ran out
inline constexpr int kSvgRelativeLength = 718;     // em, ex or % of an unknown size: defaults
inline constexpr int kSvgClipNotApplied = 719;     // clip paths and masks: shapes drawn whole
inline constexpr int kSvgOutOfRange = 720;         // pieces whose millimetres overflow: dropped

}  // namespace lintrel::diag

namespace lintrel::svg {

// Notes `count` occurrences of an SVG code with its description.
void noteSvg(ImportDiagnostics& diagnostics, int code, long count = 1);

}  // namespace lintrel::svg
