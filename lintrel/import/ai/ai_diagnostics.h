// Diagnostic codes of the Illustrator reader (300-399): what it repaired or skipped while
// reading an AI file, native text or PDF container. Each code counts occurrences in one import.
#pragma once

namespace lintrel::diag {

inline constexpr int kAiPaletteFull = 301;       // colours beyond the 300-entry palette
inline constexpr int kAiPathClosed = 302;        // a closing paint added a seg back to the start
inline constexpr int kAiPathDiscarded = 303;     // an unpainted path (n, N) was dropped
inline constexpr int kAiStreamUnreadable = 304;  // a PDF stream whose data could not be decoded
inline constexpr int kAiInflationBound = 305;    // decompressed data reached the size bound
inline constexpr int kAiUnsupportedCompression = 306;  // private data in a compression not read
inline constexpr int kAiNoPrivateData = 307;       // no readable private data: page content used
inline constexpr int kAiFormsSkipped = 308;        // page content drew forms or images (Do)
inline constexpr int kAiNestingLimited = 309;      // graphics state saves (q) nested too deep
inline constexpr int kAiNotPdfOrText = 310;        // a PDF container without any object
inline constexpr int kAiDefinitionsSkipped = 311;  // setup sections of patterns and brushes

}  // namespace lintrel::diag
