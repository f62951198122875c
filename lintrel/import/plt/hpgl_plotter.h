// The pen of an HPGL plotter: follows the drawing instructions one by one and collects every
// pen-down stroke as a polyline, filed in a group per pen. Coordinates stay in plotter units.
#pragma once

#include <lintrel/lintrel.h>

#include <map>
#include <vector>

#include "base/diagnostics.h"
#include "import/plt/hpgl_lexer.h"
#include "model/geometry.h"
#include "model/items.h"

namespace lintrel::hpgl {

class Plotter {
  public:
    // `precision`: chord tolerance for circles and arcs, in plotter units.
    // Flaws of the file are noted in `diagnostics`.
    Plotter(double precision, ImportDiagnostics& diagnostics)
        : precision_(precision), diagnostics_(diagnostics) {}
    ~Plotter();
    Plotter(const Plotter&) = delete;
    Plotter& operator=(const Plotter&) = delete;

    void execute(const Instruction& in);
    // Files the last stroke and hands over the groups (null when nothing was drawn).
    VectGroup* finish();

  private:
    void visitPairs(const Instruction& in, bool draw);
    void moveTo(Point p);
    void endStroke();
    void selectPen(int pen);
    void fileVect(Vect* v);
    void fileOutline(const Point* points, size_t count);
    void circle(const Instruction& in);
    void arc(const Instruction& in, bool relative);
    void bezier(const Instruction& in, bool relative);
    void rectangle(const Instruction& in, bool relative);
    void encoded(const Instruction& in);
    void initialise();
    // Where coordinates (x, y) of an instruction lead, in plotter units.
    Point target(double x, double y, bool relative) const;
    void inputWindow(const Instruction& in);
    void applyScale();
    int curveSteps(double length, double radius);
    void noteSkipped(const Instruction& in);

    double precision_;
    ImportDiagnostics& diagnostics_;
    int pen_ = 0;
    bool down_ = false;
    bool relative_ = false;
    Point position_;  // plotter units
    struct Window {
        Point p1, p2;
        bool known = false;
    } window_;
    std::vector<double> userScale_;  // the numbers of the last SC, empty when scaling is off
    // Plotter units of user units: x' = ox + sx * x.
    struct Scaling {
        double sx = 1, sy = 1, ox = 0, oy = 0;
    } scaling_;
    Vect* stroke_ = nullptr;  // the stroke being drawn, owned until filed
    ChainOwner<VectGroup> groups_;
    std::map<int, VectGroup*> groupOfPen_;
    // Flattened curve segs the file may still produce: a few bytes of "CI1e9;" must not ask
    // for gigabytes. Beyond the budget curves get the fewest steps.
    long curveSegsLeft_ = 1L << 21;
};

}  // namespace lintrel::hpgl
