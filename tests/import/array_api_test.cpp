// The indexed array family: records in and out, insertion, modification, deletion, moves and
// scales by running vect index.
#include <gtest/gtest.h>

#include <vector>

#include "array/array_chain.h"
#include "import_helpers.h"
#include "model/geometry.h"

namespace lintrel::test {
namespace {

ArrayRecord rec(int group, int start, double x0, double y0, double x1, double y1,
                int type = LINTREL_POLYLINE) {
    ArrayRecord r{};
    r.groupNumber = group;
    r.vectType = type;
    r.startMarker = start;
    r.x0 = x0;
    r.y0 = y0;
    r.x1 = x1;
    r.y1 = y1;
    return r;
}

class ArrayApi : public ::testing::Test {
  protected:
    void SetUp() override { VarnixCadArray_DelAll(); }
    void TearDown() override { VarnixCadArray_DelAll(); }

    static std::vector<ArrayRecord> list() {
        int count = -1;
        EXPECT_EQ(VarnixCadArray_GetVectNum(&count), 0);
        if (count < 0) return {};
        std::vector<ArrayRecord> out(static_cast<size_t>(count));
        EXPECT_EQ(VarnixCadArray_GetVectArray(out.data(), count), 0);
        return out;
    }
    static std::vector<double> startXs() {
        std::vector<double> xs;
        for (const ArrayRecord& r : list())
            if (r.startMarker == 1) xs.push_back(r.x0);
        return xs;
    }
};

TEST_F(ArrayApi, NewOneAppendsGroupsInArrivalOrder) {
    ArrayRecord a = rec(3, 1, 0, 0, 1, 0);
    a.selected = 7;
    a.tag = 42;
    EXPECT_EQ(VarnixCadArray_NewOne(a), 0);
    EXPECT_EQ(VarnixCadArray_NewOne(rec(1, 1, 2, 0, 3, 0)), 0);
    EXPECT_EQ(VarnixCadArray_NewOne(rec(3, 1, 4, 0, 5, 0)), 0);
    const auto gs = groupsOf(arrayChain());
    ASSERT_EQ(gs.size(), 2u);
    EXPECT_EQ(gs[0]->number, 3);
    EXPECT_EQ(gs[1]->number, 1);
    EXPECT_EQ(startXs(), (std::vector<double>{0, 4, 2}));
    const auto records = list();
    EXPECT_EQ(records[0].selected, 1);
    EXPECT_EQ(records[0].tag, 42);
    EXPECT_EQ(records[0].groupNumber, 3);
    EXPECT_EQ(records[0].startX, 0);
}

TEST_F(ArrayApi, InsertBuildsVectsFromRunsOfRecords) {
    VarnixCadArray_NewOne(rec(1, 1, 100, 0, 101, 0));
    VarnixCadArray_NewOne(rec(2, 1, 200, 0, 201, 0));
    const ArrayRecord run[] = {rec(0, 1, 0, 0, 1, 0), rec(0, 0, 1, 0, 1, 1), rec(0, 1, 5, 5, 6, 6)};
    EXPECT_EQ(VarnixCadArray_ItemInsert(run, 3, 1), 0);  // before the first vect of group 2
    EXPECT_EQ(startXs(), (std::vector<double>{100, 0, 5, 200}));
    const auto records = list();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[1].startMarker, 1);
    EXPECT_EQ(records[2].startMarker, 0);
    EXPECT_EQ(records[2].y1, 1);
    EXPECT_EQ(records[1].groupNumber, 2);
    EXPECT_EQ(VarnixCadArray_ItemInsert(run, 1, 0), 0);
    EXPECT_EQ(startXs().front(), 0);
    EXPECT_EQ(VarnixCadArray_ItemInsert(run + 2, 1, 99), 0);  // beyond the end: appended
    EXPECT_EQ(startXs().back(), 5);
}

TEST_F(ArrayApi, BadRecordRunsChangeNothing) {
    VarnixCadArray_NewOne(rec(1, 1, 0, 0, 1, 0));
    const ArrayRecord gap[] = {rec(0, 1, 0, 0, 1, 0), rec(0, 0, 1.001, 0, 2, 0)};
    const ArrayRecord noStart[] = {rec(0, 0, 0, 0, 1, 0)};
    EXPECT_EQ(VarnixCadArray_ItemInsert(gap, 2, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCadArray_ItemInsert(noStart, 1, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCadArray_ItemModify(gap, 2, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCadArray_ItemInsert(gap, 1, -1), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(list().size(), 1u);
    const ArrayRecord ok[] = {rec(0, 1, 0, 0, 1, 0), rec(0, 0, 1.00009, 0, 2, 0)};
    EXPECT_EQ(VarnixCadArray_ItemModify(ok, 2, 1), LINTREL_BAD_ARGUMENT);  // no vect 1
    EXPECT_EQ(VarnixCadArray_ItemModify(ok, 2, 0), 0);
    EXPECT_EQ(list().size(), 2u);
    VarnixCadArray_DelAll();
    EXPECT_EQ(VarnixCadArray_ItemInsert(ok, 2, 0), LINTREL_BAD_ARGUMENT);  // empty chain
}

TEST_F(ArrayApi, ModifyReplacesOneVectInPlace) {
    VarnixCadArray_NewOne(rec(1, 1, 0, 0, 1, 0));
    VarnixCadArray_NewOne(rec(1, 1, 10, 0, 11, 0));
    VarnixCadArray_NewOne(rec(1, 1, 20, 0, 21, 0));
    const ArrayRecord with[] = {rec(0, 1, 7, 0, 8, 0), rec(0, 1, 9, 0, 9.5, 0)};
    EXPECT_EQ(VarnixCadArray_ItemModify(with, 2, 0), 0);
    EXPECT_EQ(startXs(), (std::vector<double>{7, 9, 10, 20}));
    EXPECT_EQ(VarnixCadArray_ItemModify(with, 1, 3), 0);
    EXPECT_EQ(startXs(), (std::vector<double>{7, 9, 10, 7}));
}

TEST_F(ArrayApi, DeletingTheLastVectRemovesGroupAndChain) {
    VarnixCadArray_NewOne(rec(1, 1, 0, 0, 1, 0));
    VarnixCadArray_NewOne(rec(2, 1, 5, 0, 6, 0));
    EXPECT_EQ(VarnixCadArray_DelOne(2), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCadArray_DelOne(0), 0);
    ASSERT_EQ(groupsOf(arrayChain()).size(), 1u);
    EXPECT_EQ(arrayChain()->number, 2);
    EXPECT_EQ(VarnixCadArray_DelOne(0), 0);
    EXPECT_EQ(arrayChain(), nullptr);
    EXPECT_EQ(VarnixCadArray_DelAll(), LINTREL_BAD_ARGUMENT);
    int untouched = 77;
    EXPECT_EQ(VarnixCadArray_GetVectNum(&untouched), 0);
    EXPECT_EQ(untouched, 77);
}

TEST_F(ArrayApi, MoveAndScaleByIndexActOnAGroupOrEverything) {
    VarnixCadArray_NewOne(rec(1, 1, 0, 0, 1, 0));
    VarnixCadArray_NewOne(rec(1, 1, 2, 0, 3, 0));
    VarnixCadArray_NewOne(rec(2, 1, 10, 0, 11, 0));
    EXPECT_EQ(VarnixCadArray_Move(1, 0, -2), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCadArray_Move(1, 0, 3), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCadArray_Move(100, 0, 1), 0);  // the whole group of vect 1
    EXPECT_EQ(startXs(), (std::vector<double>{100, 102, 10}));
    EXPECT_EQ(VarnixCadArray_Move(-100, 0, -1), 0);
    EXPECT_EQ(startXs(), (std::vector<double>{0, 2, -90}));
    EXPECT_EQ(VarnixCadArray_Scale(2, 2, 0, 0, 2), 0);
    EXPECT_EQ(startXs(), (std::vector<double>{0, 2, -180}));
    EXPECT_EQ(VarnixCadArray_Scale(2, 2, 0, 0, -7), LINTREL_BAD_ARGUMENT);
    float x, y, w, h;
    EXPECT_EQ(VarnixCadArray_GetRange(&x, &y, &w, &h, 0.05), 0);
    EXPECT_FLOAT_EQ(x, -180);
    EXPECT_FLOAT_EQ(w, 183);
}

TEST_F(ArrayApi, ListingAnArcGivesItsDefinitionAndFlattenedStart) {
    ArrayRecord a = rec(1, 1, -5, -5, 5, 5, LINTREL_ARC);
    a.z0 = kPi;  // stored start: mathematical pi, the leftmost point
    a.z1 = -kHalfPi;
    VarnixCadArray_NewOne(a);
    const auto records = list();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].vectType, LINTREL_ARC);
    EXPECT_EQ(records[0].x0, -5);
    EXPECT_EQ(records[0].z0, kPi);
    EXPECT_NEAR(records[0].startX, -5, 1e-6);
    EXPECT_NEAR(records[0].startY, 0, 1e-6);
    // At most maxRecords are written.
    VarnixCadArray_NewOne(rec(1, 1, 0, 0, 1, 0));
    ArrayRecord out[2] = {};
    out[1].x0 = 123;
    EXPECT_EQ(VarnixCadArray_GetVectArray(out, 1), 0);
    EXPECT_EQ(out[1].x0, 123);
}

TEST_F(ArrayApi, CopyChainCopiesWholeRecords) {
    const ArrayRecord source[] = {rec(4, 1, 1, 2, 3, 4), rec(4, 0, 3, 4, 5, 6)};
    ArrayRecord destination[2] = {};
    EXPECT_EQ(VarnixCadArray_CopyChain(source, destination, 2), 0);
    EXPECT_EQ(destination[1].y1, 6);
    EXPECT_EQ(destination[0].groupNumber, 4);
    EXPECT_EQ(VarnixCadArray_CopyChain(nullptr, destination, 2), LINTREL_BAD_ARGUMENT);
}

}  // namespace
}  // namespace lintrel::test
