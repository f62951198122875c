// What an import repaired or skipped: a list of coded diagnostics that readers fill while they
// read. Each import has its own list, handed to its reader explicitly. Results never depend on
// it; hosts read the last import's through the extension exports and the converter prints it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lintrel {

// Stable codes. Each reader has its own hundred; a code, once shipped, keeps its meaning.
//   1-99 any import, 100-199 DXF, 200-299 HPGL/PLT, 300-399 Illustrator, 400-499 text and
//   fonts, 500-599 DST, 600-699 raster images, 700-799 SVG, 800-899 PDF.
namespace diag {
inline constexpr int kFileUnreadable = 1;    // the file could not be opened or read
inline constexpr int kUnknownExtension = 2;  // no reader for the file name's extension
inline constexpr int kFileEmpty = 3;         // the file holds no bytes at all
inline constexpr int kFlattenBudget = 4;  // curves flattened coarser: the import's budget ran out
}  // namespace diag

struct Diagnostic {
    int code;
    long count;        // how often it happened in this import
    std::string text;  // short English description, the first one noted for the code
};

class ImportDiagnostics {
  public:
    // Notes `count` occurrences of `code`. A code already listed adds to its count and keeps
    // its first text, so a reader may note a flaw once per occurrence without flooding.
    void note(int code, std::string_view text, long count = 1);
    void clear() { items_.clear(); }
    std::span<const Diagnostic> items() const { return items_; }
    long countOf(int code) const;

  private:
    std::vector<Diagnostic> items_;  // in order of first occurrence
};

}  // namespace lintrel
