// The CSV and SVG renderings that vxtrace prints.
#include <gtest/gtest.h>

#include <string>

#include "interp/interpreter.h"
#include "trace/output.h"

namespace {

using namespace varnix::interp;

size_t count(const std::string& text, const std::string& part) {
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

TEST(Trace, CsvHasARowPerMoveAndOnlyTheAxesThatMove) {
    const Result result = interpret("G90\nG00 X1 Y2\nG01 X3 Y2 F5\n", Options{});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(varnix::trace::toCsv(result.path),
              "line,kind,speed,a0,a1\n0,start,0.0000,0.0000,0.0000\n"
              "2,travel,100.0000,1.0000,2.0000\n3,cut,5.0000,3.0000,2.0000\n");
}

TEST(Trace, SvgDrawsTravelsDashedAndCutsSolid) {
    const Result result =
        interpret("G90\nG00 X1 Y0\nG01 X2 Y0 F5\nG00 X5 Y5\nG01 X6 Y5 F5\n", Options{});
    ASSERT_TRUE(result.ok());
    const std::string svg = varnix::trace::toSvg(result.path, 0, 1);
    EXPECT_EQ(count(svg, "<polyline"), 4u);
    EXPECT_EQ(count(svg, "stroke-dasharray"), 2u);
    // y points up: the cut at y = 5 is drawn at -5.
    EXPECT_NE(svg.find("5.0000,-5.0000 6.0000,-5.0000"), std::string::npos);
}

}  // namespace
