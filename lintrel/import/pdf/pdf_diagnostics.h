// Diagnostic codes of the PDF reader (800-899): what it skipped or repaired while reading a PDF
// drawing. Each code counts occurrences in one import.
#pragma once

namespace lintrel::diag {

inline constexpr int kPdfNoPage = 801;            // the file holds no page the reader could find
inline constexpr int kPdfTextSkipped = 802;       // text objects (BT ... ET) not drawn
inline constexpr int kPdfImagesSkipped = 803;     // images, or forms nested too deep, not drawn
inline constexpr int kPdfStreamUnreadable = 804;  // a content stream that could not be decoded
inline constexpr int kPdfInflationBound = 805;    // decompressed data reached the size bound
inline constexpr int kPdfPageMissing = 806;       // the asked page is not there: the first is read

}  // namespace lintrel::diag
