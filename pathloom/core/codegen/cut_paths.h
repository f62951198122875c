// The paths a machine cuts, as the process presets shape them: closed shapes started and turned
// as asked, offset by half the kerf, and given leads and an overcut. They are built on a copy;
// the drawing stays as drawn. The writers, the simulation and the canvas read the same copy.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include <span>
#include <string>
#include <vector>

#include "core/codegen/corner_arcs.h"
#include "core/presets/process.h"

namespace pathloom {

// What became of the shapes that did not get all their preset asked for.
struct CutNotes {
    int unoffset = 0;        // open shapes, shapes that vanished or could not be offset
    int leadsDropped = 0;    // lead-ins and lead-outs that found no room
    int leadsShortened = 0;  // leads that were cut short to keep clear of other shapes
    int offsetFailed = 0;    // this build has no polygon offsetter
    bool operator==(const CutNotes&) const = default;
};

struct CutPaths {
    // The paths that are cut, and, when leads or overcuts were added and `keepOffset` asked for
    // it, the copy before them (started, turned and offset). Both null when no preset of the
    // drawing's groups shapes its cuts; `offset` is null too when no preset asks for leads or
    // overcuts.
    lintrel::ChainOwner<VectGroup> offset;
    lintrel::ChainOwner<VectGroup> paths;
    // Per vect of `paths` (and of `offset`, which has the same vects), in chain order: the index
    // of the drawing's vect it cuts, in chain order. An inward offset that splits a shape gives
    // several vects with the same index, in a row.
    std::vector<int> original;
    std::vector<char> offsetDone;  // the vect runs half the kerf off its shape
    std::vector<char> led;         // the vect got a lead or an overcut
    // The round corners of offset paths, by vect of `paths`: the writers cut them as arcs.
    CornerArcs cornerArcs;
    CutNotes notes;
    int code = 0;  // a library code other than 0: the shaping failed and the drawing is cut as is

    // The chain to write and simulate.
    VectGroup* cut(VectGroup* drawing) const { return paths ? paths.get() : drawing; }
};

// True when some preset of the drawing's groups shapes its cuts.
bool cutsShaped(const VectGroup* drawing, const PresetTable& presets);

// Builds the cut paths of `drawing` by its groups' presets. Containment, offsets and leads are
// judged at the smallest curve precision of those presets. `keepOffset` keeps the copy before
// leads as `offset` (the canvas draws it); the writers need only the paths.
CutPaths buildCutPaths(VectGroup* drawing, const PresetTable& presets, bool keepOffset = false);

// The diagnostics as lines for the converter and the status bar; empty when all went as asked.
std::vector<std::string> cutNoteLines(const CutNotes& notes);

// A program's line map (two entries per vect of the cut paths) folded onto the drawing's vects:
// a shape cut in several pieces spans from the first line of the first to the last of the last.
std::vector<int> drawingLineMap(std::span<const int> cutLineMap, std::span<const int> original,
                                int drawingVects);

}  // namespace pathloom
