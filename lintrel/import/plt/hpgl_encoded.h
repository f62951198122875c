// Decoding of encoded polylines (the PE instruction): pen selections and coordinate pairs
// written as base-64 or base-32 digits, relative unless flagged absolute.
#pragma once

#include <string_view>
#include <vector>

namespace lintrel::hpgl {

struct EncodedStep {
    bool selectsPen = false;  // a pen selection instead of a move
    int pen = 0;
    double x = 0, y = 0;  // plotter units, relative unless `absolute`
    bool penUp = false;   // move without drawing
    bool absolute = false;
};

// Decodes the data of one PE instruction (without the "PE" and the ";"). False when the data
// breaks off inside a number or a coordinate pair; the steps decoded before stay in `out`.
bool decodeEncoded(std::string_view data, std::vector<EncodedStep>& out);

}  // namespace lintrel::hpgl
