// The link between the selection and the program text: the lines of the one selected vect, and
// the vects whose lines a text selection covers. Both read the line map of the text the code
// pane holds and never reach past its end or past the text's last line.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <lintrel/lintrel.h>

namespace pathloom {

// When exactly one vect is selected: its first and last line (0-based), limited to the
// `lineCount` lines of the text. Nothing when the selection is not one vect, when the map does
// not reach the vect, or when the vect wrote no line that exists.
std::optional<std::pair<int, int>> selectedVectLines(const VectGroup* drawing,
                                                     const std::vector<int>& lineMap,
                                                     int lineCount);

// Selects the vects whose lines overlap lines first to last and deselects all others. A vect
// counts when any of its lines lies in the range, the range's own first and last lines
// included. True when any vect's selection changed.
bool selectVectsOnLines(VectGroup* drawing, const std::vector<int>& lineMap, int first, int last);

// Deselects every vect; true when any was selected.
bool clearSelection(VectGroup* drawing);

}  // namespace pathloom
