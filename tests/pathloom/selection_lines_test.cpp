// The selection-to-code link reads only the lines the text has and only the map entries there
// are: a stale or empty map, or a map longer than the text, never reads past an end.
#include <gtest/gtest.h>

#include "core/document/selection_lines.h"
#include "support/builders.h"

namespace pathloom {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;

struct Drawing {
    Drawing() {
        VectGroup* second = groupOf({polyline({{5, 0}, {6, 0}})}, 2);
        VarnixCad3_ItemInsertBefore(first, second);
    }
    ~Drawing() { VarnixCad3_DeleteChain(first); }
    Vect* vect(int group, int index) {
        VectGroup* g = group == 0 ? first : first->next;
        Vect* v = g->vects;
        for (int i = 0; i < index; ++i)
            v = v->next;
        return v;
    }
    VectGroup* first = groupOf({polyline({{0, 0}, {1, 0}}), polyline({{2, 0}, {3, 0}})}, 1);
};

TEST(CodeLink, OneSelectedVectGivesItsExistingLines) {
    Drawing d;
    const std::vector<int> map = {0, 3, 4, 6, 7, 9};
    d.vect(1, 0)->selected = 1;
    EXPECT_EQ(selectedVectLines(d.first, map, 10), std::make_pair(7, 9));
    EXPECT_EQ(selectedVectLines(d.first, map, 9), std::make_pair(7, 8));  // cut to the text
    EXPECT_EQ(selectedVectLines(d.first, map, 7), std::nullopt);          // beyond the text
    EXPECT_EQ(selectedVectLines(d.first, {0, 3}, 10), std::nullopt);      // map too short
    EXPECT_EQ(selectedVectLines(d.first, {}, 0), std::nullopt);           // after New
    d.vect(0, 0)->selected = 1;
    EXPECT_EQ(selectedVectLines(d.first, map, 10), std::nullopt);  // two selected
    EXPECT_EQ(selectedVectLines(nullptr, map, 10), std::nullopt);
}

TEST(CodeLink, TextLinesSelectTheVectsTheyTouch) {
    Drawing d;
    // The middle vect wrote no line (last = first - 1).
    const std::vector<int> map = {0, 3, 4, 3, 4, 9};
    EXPECT_TRUE(selectVectsOnLines(d.first, map, 3, 4));
    EXPECT_EQ(d.vect(0, 0)->selected, 1);
    EXPECT_EQ(d.vect(0, 1)->selected, 0);
    EXPECT_EQ(d.vect(1, 0)->selected, 1);
    EXPECT_FALSE(selectVectsOnLines(d.first, map, 2, 4));  // the same vects: no change
    EXPECT_TRUE(selectVectsOnLines(d.first, {0, 3}, 5, 6));
    EXPECT_EQ(d.vect(0, 0)->selected, 0);
    EXPECT_EQ(d.vect(1, 0)->selected, 0);  // no map entry: not selected
    d.vect(0, 1)->selected = 1;
    EXPECT_TRUE(clearSelection(d.first));
    EXPECT_FALSE(clearSelection(d.first));
    EXPECT_FALSE(selectVectsOnLines(nullptr, map, 0, 9));
}

}  // namespace
}  // namespace pathloom
