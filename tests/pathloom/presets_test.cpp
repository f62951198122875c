// Presets and actions: the OK step pushes only changed fields into the vects, work heights
// always; the preset selector; group numbers without a preset; the bounded action list and the
// before/after action choices.
#include <gtest/gtest.h>

#include "core/presets/apply.h"
#include "support/builders.h"

using namespace pathloom;
using namespace lintrel::test;
using lintrel::ChainOwner;

namespace {

// Groups numbered 1, 3 and 7, one vect each, with the default presets assigned.
ChainOwner<VectGroup> threeGroups(const ProcessSettings& settings) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {1, 0}})}, 1));
    drawing.append(groupOf({polyline({{0, 0}, {1, 0}})}, 3));
    drawing.append(groupOf({polyline({{0, 0}, {1, 0}})}, 7));
    assignPresets(drawing.get(), settings.presets);
    return drawing;
}

Vect& vectOf(VectGroup* groups, int index) {
    VectGroup* g = groups;
    for (int i = 0; i < index; ++i)
        g = g->next;
    return *g->vects;
}

}  // namespace

TEST(Presets, SelectorListsTheGroupsAndEditsOnlyThatPreset) {
    ProcessSettings current;
    ChainOwner<VectGroup> drawing = threeGroups(current);
    const std::vector<std::string> entries = presetSelectorEntries(drawing.get());
    EXPECT_EQ(entries, (std::vector<std::string>{"工艺1", "工艺3", "工艺7"}));
    EXPECT_EQ(presetSelectorEntries(nullptr), (std::vector<std::string>{"工艺1"}));
    EXPECT_EQ(presetNumberOfEntry(entries[1]), 3);
    EXPECT_EQ(presetNumberOfEntry("工艺99999999999999"), 0);

    ProcessSettings edited = current;
    edited.presets[presetNumberOfEntry(entries[1]) - 1].speed = 50;
    const PresetChanges changes = acceptProcessEdit(current, edited, drawing.get());
    EXPECT_TRUE(changes[2].speed);
    EXPECT_EQ(current, edited);
    EXPECT_EQ(vectOf(drawing.get(), 0).speed, 200);
    EXPECT_EQ(vectOf(drawing.get(), 1).speed, 50);
    EXPECT_EQ(vectOf(drawing.get(), 2).speed, 200);
}

TEST(Presets, OnlyChangedFieldsReachTheVectsButWorkHeightsAlways) {
    ProcessSettings current;
    ChainOwner<VectGroup> drawing = threeGroups(current);
    Vect& first = vectOf(drawing.get(), 0);
    first.speed = 77;  // set by hand on the vect
    first.liftHeight = 33;
    first.workHeight = 44;
    ProcessSettings edited = current;
    edited.presets[1].workHeight = 5;         // preset 2: no group uses it
    edited.presets[0].speed = 200.00005;      // within the margin: not a change
    edited.presets[0].beforeProcessing = "";  // unchanged
    edited.presets[2].workHeight = 4;         // preset 3: only the work height changes
    Vect& third = vectOf(drawing.get(), 1);
    acceptProcessEdit(current, edited, drawing.get());
    EXPECT_EQ(third.workHeight, 4.0);
    EXPECT_EQ(third.liftHeight, 1.0);  // the travel height it had (work height, no lift)
    EXPECT_EQ(first.speed, 77);
    EXPECT_EQ(first.liftHeight, 33);
    EXPECT_EQ(first.workHeight, 1.0);  // always taken from the preset
    EXPECT_EQ(first.beforeAction, nullptr);

    edited.presets[0].dotLift = true;  // lift flag: travel height becomes the uplift height
    edited.presets[0].beforeProcessing = "M3\r\nG4 P1";
    acceptProcessEdit(current, edited, drawing.get());
    EXPECT_EQ(first.liftHeight, 10.0);
    ASSERT_NE(first.beforeAction, nullptr);
    EXPECT_STREQ(first.beforeAction, "M3\r\nG4 P1");

    // A text that differs only in letter case is not a change; one emptied is copied as "".
    edited.presets[0].beforeProcessing = "m3\r\ng4 p1";
    edited.presets[0].afterProcessing = "x";
    acceptProcessEdit(current, edited, drawing.get());
    EXPECT_STREQ(first.beforeAction, "M3\r\nG4 P1");
    edited.presets[0].afterProcessing = "";
    acceptProcessEdit(current, edited, drawing.get());
    ASSERT_NE(first.afterAction, nullptr);
    EXPECT_STREQ(first.afterAction, "");
}

TEST(Presets, GroupNumbersWithoutAPresetUseTheFirst) {
    ProcessSettings current;
    current.presets[0].speed = 12;
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {1, 0}})}, 25));
    drawing.append(groupOf({polyline({{0, 0}, {1, 0}})}, 0));
    assignPresets(drawing.get(), current.presets);
    EXPECT_EQ(vectOf(drawing.get(), 0).speed, 12);
    EXPECT_EQ(vectOf(drawing.get(), 1).speed, 12);
}

TEST(Actions, ListIsBoundedAndKeepsOrder) {
    ActionList list;
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(list.add({"a" + std::to_string(i), "t"}));
    EXPECT_TRUE(list.full());
    EXPECT_FALSE(list.add({"a30", "t"}));
    EXPECT_EQ(list.size(), 30u);

    ActionList three({{"one", "OP(1,1)"}, {"two", "OP(2,1)"}, {"three", "OP(3,1)"}});
    EXPECT_TRUE(three.remove(0));
    EXPECT_EQ(three.items()[0].name, "two");
    EXPECT_EQ(three.items()[1].name, "three");
    EXPECT_EQ(three.size(), 2u);
    EXPECT_FALSE(three.remove(2));
    EXPECT_FALSE(three.replace(5, {}));
    EXPECT_EQ(ActionList(std::vector<Action>(40)).size(), 30u);

    // One action is stored as one entry of at most 1023 bytes, a line break counting as one.
    ActionList sized;
    const std::string name = "n";
    EXPECT_TRUE(sized.add({name, std::string(1021, 'x')}));
    EXPECT_FALSE(sized.add({name, std::string(1022, 'x')}));
    EXPECT_TRUE(sized.add({name, std::string(1019, 'x') + "\r\n"}));
    EXPECT_FALSE(sized.replace(0, {name, std::string(2000, 'x')}));
    EXPECT_EQ(sized.items()[0].text.size(), 1021u);
}

TEST(Actions, BeforeAfterChoicesAndAssignment) {
    const ActionList actions({{"on", "OP(1,1)"}, {"off", "OP(1,0)"}});
    EXPECT_EQ(actionChoiceFor(nullptr, actions), ActionChoice{});
    EXPECT_EQ(actionChoiceFor("", actions), ActionChoice{});
    EXPECT_EQ(actionChoiceFor("op(1,0)", actions), (ActionChoice{ActionChoice::Listed, 1}));
    EXPECT_EQ(actionChoiceFor("OP(9,9)", actions), (ActionChoice{ActionChoice::Custom, -1}));

    ChainOwner<VectGroup> drawing(
        groupOf({polyline({{0, 0}, {1, 0}}), polyline({{0, 0}, {1, 0}})}));
    Vect* a = drawing.get()->vects;
    Vect* b = a->next;
    a->selected = 1;
    setVectText(a->beforeAction, "old");
    setVectText(b->beforeAction, "kept");
    setSelectedActions(drawing.get(), "OP(1,1)", "");
    EXPECT_STREQ(a->beforeAction, "OP(1,1)");
    EXPECT_STREQ(a->afterAction, "");
    EXPECT_STREQ(b->beforeAction, "kept");
    EXPECT_EQ(b->afterAction, nullptr);
}
