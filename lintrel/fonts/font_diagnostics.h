// Import diagnostic codes of the text and font conversion (the 400s). Each code keeps its
// meaning once shipped; the texts name the fonts concerned, each font once per import.
#pragma once

namespace lintrel::diag {

// A style's font file was not found; the text was drawn in a default font instead.
inline constexpr int kFontReplaced = 401;
// No font at all could be found for a text; its vect carries the text but no outlines.
inline constexpr int kFontMissing = 402;
// Characters that neither the chosen nor the default font holds; the text ended before them.
inline constexpr int kGlyphMissing = 403;
// A font file was found but is not a font this reader understands.
inline constexpr int kFontUnreadable = 404;
// A text names a style that the style table lacks; the default style was used.
inline constexpr int kStyleMissing = 405;
// Text bytes that the drawing's code page does not define; they became U+FFFD.
inline constexpr int kTextUndecodable = 406;
// A style's SHX big font was not found; its two-byte characters were left out.
inline constexpr int kBigFontMissing = 407;

}  // namespace lintrel::diag
