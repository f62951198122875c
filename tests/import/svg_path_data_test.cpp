// Path data and point lists as the parser hands them on: absolute coordinates, H and V
// resolved, S and T reflections, quadratics raised to cubics, implicit repeats, the compact
// number forms and arc flags without separators, and errors that stop the path.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "import/svg/svg_path_data.h"

namespace lintrel::svg {
namespace {

// Writes what the sink receives as text, one command letter and its numbers per call.
class Recorder : public PathSink {
  public:
    void moveTo(Point p) override { out_ << "M" << p.x << "," << p.y << " "; }
    void lineTo(Point p) override { out_ << "L" << p.x << "," << p.y << " "; }
    void cubicTo(Point a, Point b, Point p) override {
        out_ << "C" << a.x << "," << a.y << "," << b.x << "," << b.y << "," << p.x << "," << p.y
             << " ";
    }
    void arcTo(double rx, double ry, double angle, bool large, bool sweep, Point p) override {
        out_ << "A" << rx << "," << ry << "," << angle << "," << large << sweep << "," << p.x << ","
             << p.y << " ";
    }
    void closePath() override { out_ << "Z "; }
    std::string text() const { return out_.str(); }

  private:
    std::ostringstream out_;
};

std::string parsed(std::string_view d, bool* complete = nullptr) {
    Recorder r;
    const bool ok = parsePathData(d, r);
    if (complete) *complete = ok;
    return r.text();
}

TEST(SvgPathData, MovesAndStraightLinesAbsoluteAndRelative) {
    EXPECT_EQ(parsed("M 10 20 L 30 40 H 50 V 60 Z"), "M10,20 L30,40 L50,40 L50,60 Z ");
    EXPECT_EQ(parsed("m 10 20 l 5 5 h 10 v -5 z"), "M10,20 L15,25 L25,25 L25,20 Z ");
    // Pairs after a move are lines, relative after a relative move; H repeats.
    EXPECT_EQ(parsed("m 30 40 110 120 -20 -130"), "M30,40 L140,160 L120,30 ");
    EXPECT_EQ(parsed("M 30 40 H 50 150"), "M30,40 L50,40 L150,40 ");
    // A second relative move is relative to the closed subpath's start.
    EXPECT_EQ(parsed("m 10 10 l 10 0 z m 5 5 l 1 1"), "M10,10 L20,10 Z M15,15 L16,16 ");
    // Drawing right after Z starts again from the subpath's start.
    EXPECT_EQ(parsed("M 0 0 L 10 0 Z L 0 10"), "M0,0 L10,0 Z M0,0 L0,10 ");
}

TEST(SvgPathData, CubicCurvesAndTheirReflections) {
    EXPECT_EQ(parsed("M 0 0 C 1 2 3 4 5 6 c 1 1 2 2 3 3"), "M0,0 C1,2,3,4,5,6 C6,7,7,8,8,9 ");
    // S after C reflects the last control point; S after anything else uses the current point.
    EXPECT_EQ(parsed("M 0 0 C 0 10 10 10 10 0 S 20 -10 20 0"),
              "M0,0 C0,10,10,10,10,0 C10,-10,20,-10,20,0 ");
    EXPECT_EQ(parsed("M 30 40 S 160 45 160 140"), "M30,40 C30,40,160,45,160,140 ");
    EXPECT_EQ(parsed("M 0 0 L 10 0 s 10 10 20 0"), "M0,0 L10,0 C10,0,20,10,30,0 ");
}

TEST(SvgPathData, QuadraticCurvesBecomeExactCubics) {
    // Q (0,0) (30,30) (60,0): cubic controls at two thirds towards the control point.
    EXPECT_EQ(parsed("M 0 0 Q 30 30 60 0"), "M0,0 C20,20,40,20,60,0 ");
    // T reflects the control point of the last Q; T with no Q before uses the current point.
    EXPECT_EQ(parsed("M 0 0 Q 30 30 60 0 T 120 0"),
              "M0,0 C20,20,40,20,60,0 C80,-20,100,-20,120,0 ");
    EXPECT_EQ(parsed("M 30 30 T 90 30"), "M30,30 C30,30,50,30,90,30 ");
    EXPECT_EQ(parsed("M 0 0 q 30 30 60 0 t 60 0"), parsed("M 0 0 Q 30 30 60 0 T 120 0"));
}

TEST(SvgPathData, ArcsWithCompactFlags) {
    EXPECT_EQ(parsed("M 0 0 A 25 25 0 1 0 50 0"), "M0,0 A25,25,0,10,50,0 ");
    // Flags need no separator, not even before the coordinates.
    EXPECT_EQ(parsed("M 0 0 a 25 25 0 10 -25 25"), "M0,0 A25,25,0,10,-25,25 ");
    EXPECT_EQ(parsed("M0 0a1.65 1.65 0 0 0 .33 1.82"), "M0,0 A1.65,1.65,0,00,0.33,1.82 ");
    EXPECT_EQ(parsed("M0 0a1 1 0 1110 10"), "M0,0 A1,1,0,11,10,10 ");
    bool complete = true;
    parsed("M 0 0 A 1 1 0 2 0 5 5", &complete);
    EXPECT_FALSE(complete) << "a flag other than 0 or 1 is an error";
}

TEST(SvgPathData, CompactNumbers) {
    EXPECT_EQ(parsed("M1.5.5L-1e-2-3E1"), "M1.5,0.5 L-0.01,-30 ");
    EXPECT_EQ(parsed("M+1,+2l.5-.5"), "M1,2 L1.5,1.5 ");
    EXPECT_EQ(parsed("M\t1\n,\r2  L3 , 4"), "M1,2 L3,4 ");
    // An exponent without digits ends the number before the "e".
    bool complete = true;
    EXPECT_EQ(parsed("M 1e 2", &complete), "");
    EXPECT_FALSE(complete);
}

TEST(SvgPathData, ErrorsStopThePathAfterWhatCameBefore) {
    bool complete = true;
    EXPECT_EQ(parsed("M 0 0 L 10 10 L 20", &complete), "M0,0 L10,10 ");
    EXPECT_FALSE(complete);
    EXPECT_EQ(parsed("L 10 10", &complete), "") << "a path must start with a move";
    EXPECT_FALSE(complete);
    EXPECT_EQ(parsed("M 0 0 Z 5 5", &complete), "M0,0 Z ") << "Z takes no numbers";
    EXPECT_FALSE(complete);
    EXPECT_EQ(parsed("M 0 0 X 1 1", &complete), "M0,0 ");
    EXPECT_FALSE(complete);
    EXPECT_EQ(parsed("M 0 0 L inf 1 ", &complete), "M0,0 ");
    EXPECT_FALSE(complete);
    EXPECT_EQ(parsed("", &complete), "");
    EXPECT_TRUE(complete) << "empty path data draws nothing and is no error";
}

TEST(SvgPathData, PointListsOfPolylinesAndPolygons) {
    Recorder polygon;
    EXPECT_TRUE(parsePointList("0,0 10,0, 10,10", true, polygon));
    EXPECT_EQ(polygon.text(), "M0,0 L10,0 L10,10 Z ");
    Recorder odd;
    EXPECT_FALSE(parsePointList("0 0 10 0 10", false, odd)) << "an odd count is an error";
    EXPECT_EQ(odd.text(), "M0,0 L10,0 ");
}

}  // namespace
}  // namespace lintrel::svg
