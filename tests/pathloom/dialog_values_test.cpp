// The dialogs' rules without a window: typed numbers, the order and scale limits, the values the
// dialogs open with and remember, the origin anchors, the process property values and what the
// settings file can keep of an action or a text.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "core/dialogs/dialog_values.h"
#include "core/dialogs/number_input.h"
#include "core/dialogs/process_edit.h"
#include "core/dialogs/stored_values.h"
#include "core/document/commands.h"
#include "pathloom/in_language.h"
#include "support/builders.h"

namespace pathloom {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;
using test::InLanguage;

constexpr const char* kNotStorable =
    "This text cannot be stored in the settings file (it must not begin or end with a blank or "
    "a quote)";

struct PropertyRefusal {
    int preset;
    ProcessProperty id;
    const char* shown;
    const char* reason;
};

class Messages final : public StatusSink {
  public:
    void status(std::string_view) override {}
    void message(std::string_view text) override { said.emplace_back(text); }
    std::vector<std::string> said;
};

TEST(DialogNumbers, OnlyWholeFiniteNumbersAreTaken) {
    EXPECT_EQ(parseNumber("12.5"), 12.5);
    EXPECT_EQ(parseNumber("  -3e2 "), -300.0);
    EXPECT_EQ(parseNumber("+0.25"), 0.25);
    for (const char* refused :
         {"", " ", "abc", "1.5x", "inf", "-inf", "nan", "1e999", "+-1", "0x10", "1,5"})
        EXPECT_FALSE(parseNumber(refused).has_value()) << refused;
}

TEST(DialogNumbers, OrderIsTruncatedAndKeptInsideAnInt) {
    EXPECT_EQ(orderPosition(2.9), 2);
    EXPECT_EQ(orderPosition(0.99), 0);
    EXPECT_EQ(orderPosition(-5), 0);
    EXPECT_EQ(orderPosition(1e300), INT_MAX);
    EXPECT_EQ(orderPosition(NAN), 0);
    EXPECT_TRUE(scaleFitsFloat(1e38));
    EXPECT_FALSE(scaleFitsFloat(1e39));
    EXPECT_EQ(fourDecimals(1.5), "1.5000");
    EXPECT_EQ(shortestNumber(200.0), "200");
    EXPECT_EQ(roundedToFourDecimals(1.23456), 1.2346);
}

TEST(DialogNumbers, HugeScaleIsRefusedAndHugeOrderMeansLast) {
    Messages sink;
    Document document;
    Vect* a = polyline({{0, 0}, {1, 0}});
    Vect* b = polyline({{0, 1}, {1, 1}});
    document.adopt(groupOf({a, b}));
    a->selected = 1;
    EXPECT_EQ(scaleSelection(document, 1e39, sink), Outcome::Unchanged);
    EXPECT_EQ(sink.said, std::vector<std::string>{"缩放尺寸不正确！"});
    EXPECT_EQ(a->segs->x1, 1);
    EXPECT_EQ(changeOrder(document, orderPosition(1e300), sink), Outcome::Changed);
    EXPECT_EQ(document.drawing()->vects, b);
    // A rotation too large for a float turns by its remainder instead of making NaN.
    ASSERT_EQ(rotateSelection(document, 1e300, 0, 0), Outcome::Changed);
    EXPECT_TRUE(std::isfinite(a->segs->x1) && std::isfinite(a->segs->y1));
    EXPECT_NEAR(std::hypot(a->segs->x1, a->segs->y1), 1, 1e-6);
}

TEST(DialogDefaults, FirstSelectedVectOrTheDefaults) {
    Document document;
    Vect* a = polyline({{0, 0}, {1, 0}});
    Vect* b = polyline({{2.123456, -1.00004}, {3, 0}});
    document.adopt(groupOf({a, b}));
    const SelectionDefaults none = selectionDefaults(document.drawing());
    EXPECT_FALSE(none.any);
    EXPECT_EQ(none.speed, 200.0);
    EXPECT_EQ(none.workHeight, 0);
    b->selected = 1;
    b->speed = 75;
    b->workHeight = 2;
    b->liftHeight = 9;
    const SelectionDefaults first = selectionDefaults(document.drawing());
    EXPECT_EQ(first.position, 2);
    EXPECT_EQ(first.speed, 75);
    EXPECT_EQ(first.liftHeight, 9);
    EXPECT_EQ(first.startX, 2.1235);
    EXPECT_EQ(first.startY, -1.0);
}

TEST(DialogDefaults, AutoOptimizeCorrectsPrecisionAndPlotterUnits) {
    AutoOptimizeSettings s;
    s.smoothingAccuracy = 0.6;
    s.pltUnits = 0;
    AutoOptimizeSettings fixed = correctedAutoOptimize(s);
    EXPECT_EQ(fixed.smoothingAccuracy, 0.05);
    EXPECT_EQ(fixed.pltUnits, 1016.0);
    s.smoothingAccuracy = 0.009;
    EXPECT_EQ(correctedAutoOptimize(s).smoothingAccuracy, 0.05);
    s.smoothingAccuracy = 0.5;
    s.pltUnits = 40;
    fixed = correctedAutoOptimize(s);
    EXPECT_EQ(fixed.smoothingAccuracy, 0.5);
    EXPECT_EQ(fixed.pltUnits, 40);
}

TEST(DialogOrigin, AnchorsOfTheBoxComeToTheOrigin) {
    EXPECT_EQ(anchorOffset(Anchor::Centre, 10, -4, 20, 10), (Offset{-20, -1}));
    EXPECT_EQ(anchorOffset(Anchor::TopLeft, 10, -4, 20, 10), (Offset{-10, -6}));
    EXPECT_EQ(anchorOffset(Anchor::BottomRight, 10, -4, 20, 10), (Offset{-30, 4}));

    Document empty;
    EXPECT_EQ(moveAnchorToOrigin(empty, Anchor::Centre), Outcome::Unchanged);
    Document document;
    document.adopt(groupOf({polyline({{0, 0}, {40, 0}, {40, 2}, {0, 2}}, true)}));
    ASSERT_EQ(moveAnchorToOrigin(document, Anchor::Centre), Outcome::Changed);
    const Seg& first = *document.drawing()->vects->segs;
    EXPECT_NEAR(first.x0, -20, 1e-6);
    EXPECT_NEAR(first.y0, -1, 1e-6);
    ASSERT_EQ(moveOriginTo(document, -20, -1), Outcome::Changed);
    EXPECT_NEAR(first.x0, 0, 1e-6);
    EXPECT_EQ(moveOriginTo(document, 0, 0), Outcome::Unchanged);
}

TEST(ProcessEdit, PropertiesReadAndWriteTheirSettings) {
    using P = ProcessProperty;
    ProcessEdit edit;
    EXPECT_EQ(propertyKind(P::XAxis), PropertyKind::Axis);
    EXPECT_EQ(propertyKind(P::MoveType), PropertyKind::Choice);
    EXPECT_EQ(propertyKind(P::EndAction), PropertyKind::LinesText);
    EXPECT_EQ(propertyKind(P::OutputProfile), PropertyKind::Choice);
    EXPECT_FALSE(propertyKind(static_cast<P>(41)).has_value());
    // The tool and cutting fields of a preset, with the rules of their keys.
    EXPECT_EQ(propertyKind(P::PierceDelay), PropertyKind::Number);
    EXPECT_EQ(propertyKind(P::KerfSide), PropertyKind::Choice);
    EXPECT_FALSE(setPropertyValue(edit, 2, P::KerfSide, "3"));
    EXPECT_EQ(edit.process.presets[1].kerfSide, 3);
    EXPECT_TRUE(setPropertyValue(edit, 2, P::KerfSide, "4"));
    EXPECT_FALSE(setPropertyValue(edit, 2, P::PierceDelay, "0.5"));
    EXPECT_EQ(edit.process.presets[1].pierceDelay, 0.5);
    EXPECT_TRUE(setPropertyValue(edit, 2, P::LeadAngle, "0"));  // a lead angle lies above 0
    EXPECT_EQ(propertyValue(edit, 2, P::LeadAngle), "90.0000");

    EXPECT_FALSE(setPropertyValue(edit, 3, P::WorkHeight, "2.5"));
    EXPECT_EQ(edit.process.presets[2].workHeight, 2.5);
    EXPECT_EQ(edit.process.presets[0].workHeight, 1.0);
    EXPECT_FALSE(setPropertyValue(edit, 3, P::ActionBefore, "M3\\r\\nM4"));
    EXPECT_EQ(edit.process.presets[2].beforeProcessing, "M3\r\nM4");
    EXPECT_EQ(propertyValue(edit, 3, P::ActionBefore), "M3\\r\\nM4");
    EXPECT_FALSE(setPropertyValue(edit, 3, P::LiftWhileWorking, "True"));
    EXPECT_TRUE(edit.process.presets[2].dotLift);
    EXPECT_FALSE(setPropertyValue(edit, 1, P::CodeType, "1"));
    EXPECT_EQ(edit.process.machine.codeType, 1);
    EXPECT_FALSE(setPropertyValue(edit, 1, P::AutoConnect, "True"));
    EXPECT_TRUE(edit.connection.autoConnect);
    EXPECT_FALSE(setPropertyValue(edit, 1, P::OutputProfile, "5"));
    EXPECT_EQ(edit.process.machine.outputProfile, 5);
    EXPECT_EQ(propertyValue(edit, 1, P::OutputProfile), "5");
    EXPECT_EQ(propertyValue(edit, 7, P::XAxis), "0");
    EXPECT_EQ(propertyValue(edit, 7, P::TravelSpeed), "500.0000");  // as every dialog shows it
    EXPECT_EQ(propertyUnit(edit, P::TravelSpeed), "mm/s");
    EXPECT_EQ(propertyUnit(edit, P::XAxis), "");
    // Four decimals unless they would change the value.
    EXPECT_FALSE(setPropertyValue(edit, 7, P::ReferencePrecision, "0.00005"));
    EXPECT_EQ(propertyValue(edit, 7, P::ReferencePrecision), "5e-05");
    EXPECT_FALSE(setPropertyValue(edit, 7, P::ReferencePrecision, "0.05"));
    EXPECT_EQ(propertyValue(edit, 7, P::ReferencePrecision), "0.0500");

    // Refusals change nothing.
    const ProcessEdit before = edit;
    const InLanguage english(Language::English);
    for (const auto& [preset, id, shown, reason] : std::vector<PropertyRefusal>{
             {3, P::WorkHeight, "inf", "Please enter a number."},
             {3, P::WorkSpeed, "1e999", "Please enter a number."},
             {3, P::TravelSpeed, "-100",
              "-100 is not a speed; a speed is a number above 0 in mm/s"},
             {3, P::WorkSpeed, "0", "0 is not a speed; a speed is a number above 0 in mm/s"},
             {1, P::TravelAcceleration, "0",
              "0 is not an acceleration; an acceleration is a number above 0 in mm/s²"},
             {1, P::WorkDeceleration, "-1",
              "-1 is not a deceleration; a deceleration is a number above 0 in mm/s²"},
             {1, P::XAxis, "77",
              "77 is not an axis number; an axis number is a whole number from 0 to 63"},
             {3, P::ZAxis, "2.5",
              "2.5 is not an axis number; an axis number is a whole number from 0 to 63"},
             {3, P::ZAxis, "-1",
              "-1 is not an axis number; an axis number is a whole number from 0 to 63"},
             {3, P::LiftHeight, "1e300",
              "1e300 is not a height; a height is a number from -100000 to 100000 in mm"},
             {3, P::ReferencePrecision, "0",
              "0 is not a precision; a precision is a number above 0 and at most 1000 in mm"},
             {3, P::UseZ, "yes", "Invalid parameter"},
             {1, P::OutputProfile, "6", "Invalid parameter"},  // past the last profile
             {1, P::CodeType, "2", "Invalid parameter"},       // a code type stays 0 or 1
             {1, P::OutputProfile, "-1", "Invalid parameter"},
             {3, P::ActionAfter, " M5", kNotStorable},
             {3, P::ActionAfter, "\"M5\"", kNotStorable},
             {1, P::ProcessFileName, "name ", kNotStorable}}) {
        EXPECT_EQ(setPropertyValue(edit, preset, id, shown), reason)
            << static_cast<int>(id) << " " << shown;
    }
    EXPECT_EQ(edit, before);
    // The limits are the rule's: the last axis and a negative height are taken.
    EXPECT_FALSE(setPropertyValue(edit, 1, P::YAxis, "63"));
    EXPECT_FALSE(setPropertyValue(edit, 3, P::WorkHeight, "-2"));
    EXPECT_EQ(edit.process.machine.yAxis, 63);
    EXPECT_EQ(edit.process.presets[2].workHeight, -2);
    const InLanguage chinese(Language::Chinese);
    EXPECT_EQ(setPropertyValue(edit, 1, P::TravelSpeed, "-100"),
              "-100 不是有效的速度；速度须为大于 0 的数，单位 mm/s");
}

TEST(DialogDefaults, AutoOptimizeRefusesSizesTheSettingsDoNotAllow) {
    const InLanguage english(Language::English);
    AutoOptimizeSettings s;
    EXPECT_FALSE(autoOptimizeRefusal(s));
    s.minimalWidth = -5;
    s.minimalHeight = 1e300;
    std::optional<SettingRefusal> refusal = autoOptimizeRefusal(s);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->key, "Remove minimal graphic width");
    EXPECT_EQ(refusal->message, "-5 is not a size; a size is a number from 0 to 100000 in mm");
    s.minimalWidth = 0;
    refusal = autoOptimizeRefusal(s);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->key, "Remove minimal graphic height");
    s.minimalHeight = 100000;
    s.pltUnits = 0.5;
    EXPECT_EQ(autoOptimizeRefusal(s)->key, "Auto optimize units Plt");
    // What the corrections mend is not refused.
    s.pltUnits = -3;
    s.smoothingAccuracy = 7;
    EXPECT_FALSE(autoOptimizeRefusal(correctedAutoOptimize(s)));
}

TEST(StoredValues, ActionsTheFileWouldNotGiveBackAreRefused) {
    EXPECT_FALSE(actionProblem({"Spindle", "M3\r\nG4 P1"}));
    EXPECT_EQ(actionProblem({"a=b", "M3"}), Text::ActionNameInvalid);
    EXPECT_EQ(actionProblem({"a\nb", "M3"}), Text::ActionNameInvalid);
    EXPECT_EQ(actionProblem({"", "M3"}), Text::ActionNameInvalid);
    EXPECT_EQ(actionProblem({"ab", "M3 & M4"}), Text::ActionTextAmpersand);
    EXPECT_EQ(actionProblem({"ab", std::string(1100, 'x')}), Text::ActionTooLong);
    EXPECT_EQ(actionProblem({" ab", "M3"}), Text::ActionNotStorable);
    EXPECT_EQ(actionProblem({"ab", "M3 "}), Text::ActionNotStorable);
    // The longest entry the file keeps is taken.
    EXPECT_FALSE(actionProblem({"n", std::string(ActionList::kEntryLimit - 2, 'x')}));

    EXPECT_TRUE(presetTextStorable("M3\r\nM4"));
    EXPECT_TRUE(presetTextStorable(std::string(5000, 'x')));  // values are read whole
    EXPECT_FALSE(presetTextStorable("a\\r\\nb"));             // would come back as a line break
    EXPECT_FALSE(presetTextStorable("M3 "));
}

}  // namespace
}  // namespace pathloom
