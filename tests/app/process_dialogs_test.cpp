// Process parameters and actions in the running window: the property list per preset and what
// its OK pushes into the vects, the action manager's buttons, the action editor's refusals, and
// the before/after action dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <cstring>

#include "app/commands.h"
#include "app/dialog_support.h"
#include "app/language.h"
#include "core/settings/profile_file.h"
#include "dialogs/action_dialogs.h"

namespace pathloom::app::testing {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;

class ProcessDialogs : public DialogTest {
  protected:
    // One vect in each of the groups 1, 3 and 7.
    void SetUp() override {
        DialogTest::SetUp();
        VectGroup* drawing = groupOf({polyline({{0, 0}, {10, 0}})}, 1);
        lintrel::append(drawing, groupOf({polyline({{0, 5}, {10, 5}})}, 3));
        lintrel::append(drawing, groupOf({polyline({{0, 9}, {4, 9}})}, 7));
        adopt(drawing);
    }
    std::string before(int i) {
        const char* text = vects()[static_cast<size_t>(i)]->beforeAction;
        return text ? text : "";
    }
};

TEST_F(ProcessDialogs, PresetsOfGroupsOneThreeAndSevenReachOnlyTheirVects) {
    QStringList entries;
    QString description, axis;
    int axisEntries = -1;
    run(Command::Process, [&](QDialog& d) {
        auto* selector = child<QComboBox>(d, "presetSelector");
        for (int i = 0; i < selector->count(); ++i)
            entries << selector->itemText(i);
        selector->setCurrentIndex(1);
        type(d, "property16", "321");
        type(d, "property19", "M3\\r\\nM4");
        auto* list = child<QTreeWidget>(d, "properties");
        list->setCurrentItem(list->topLevelItem(2)->child(1));  // 加工速度
        description = child<QLabel>(d, "description")->text();
        axisEntries = child<QComboBox>(d, "property1")->count();
        axis = child<QComboBox>(d, "property1")->currentText();
        d.accept();
    });
    EXPECT_EQ(entries, (QStringList{"工艺1", "工艺3", "工艺7"}));
    EXPECT_EQ(description, "加工时使用的速度");
    EXPECT_EQ(axisEntries, 0);  // no controller: the list is empty, the value stays
    EXPECT_EQ(axis, "0");
    EXPECT_EQ(window->settings().process.presets[2].speed, 321);
    EXPECT_EQ(window->settings().process.presets[2].beforeProcessing, "M3\r\nM4");
    EXPECT_EQ(vects()[1]->speed, 321);
    EXPECT_EQ(before(1), "M3\r\nM4");
    EXPECT_EQ(vects()[0]->speed, 200);
    EXPECT_EQ(vects()[2]->speed, 200);
    EXPECT_EQ(before(0), "");
    EXPECT_EQ(before(2), "");
    EXPECT_NE(paneText(*window).find("M4"), std::string::npos);
}

TEST_F(ProcessDialogs, OnlyTheWorkHeightChangedLeavesTheLiftHeightAlone) {
    for (Vect* v : vects())
        v->liftHeight = 15;
    run(Command::Process, [&](QDialog& d) {
        child<QComboBox>(d, "presetSelector")->setCurrentIndex(2);  // 工艺7
        type(d, "property11", "4");
        d.accept();
    });
    EXPECT_EQ(vects()[2]->workHeight, 4);
    EXPECT_EQ(vects()[2]->liftHeight, 15);
    // Every vect takes its preset's work height on OK.
    EXPECT_EQ(vects()[0]->workHeight, 1.0);
    EXPECT_EQ(vects()[0]->liftHeight, 15);

    run(Command::Process, [&](QDialog& d) {
        child<QComboBox>(d, "presetSelector")->setCurrentIndex(2);
        child<QComboBox>(d, "property10")->setCurrentIndex(0);  // lift: True
        d.accept();
    });
    EXPECT_EQ(vects()[2]->liftHeight, 10);  // the uplift height, as the lift is on
    EXPECT_EQ(vects()[0]->liftHeight, 15);
}

TEST_F(ProcessDialogs, RefusedPropertiesSayWhyAndChangeNothing) {
    const Settings before = window->settings();
    const auto refused = [&](const char* name, const char* value) {
        bool accepted = true;
        run(Command::Process, [&](QDialog& d) {
            type(d, name, value);
            d.accept();
            accepted = d.result() == QDialog::Accepted;
            d.reject();
        });
        return !accepted;
    };
    // A travel speed of -100, a machining speed of 0 and an X axis of 77 are refused with the
    // settings' own words; so are what no number or no stored text can be.
    for (auto [name, value] : {std::pair{"property11", "inf"}, std::pair{"property20", " M5"},
                               std::pair{"property9", "2.5"}, std::pair{"property3", "-100"},
                               std::pair{"property16", "0"}, std::pair{"property1", "77"}})
        EXPECT_TRUE(refused(name, value)) << name;
    useLanguage(Language::English);
    EXPECT_TRUE(refused("property1", "77"));
    useLanguage(Language::Chinese);
    EXPECT_EQ(prompter.warnings,
              (QStringList{"请输入一个数字。", "该文本无法保存到设置文件中（首尾不能是空格或引号）",
                           "2.5 不是有效的轴号；轴号须为 0 到 63 的整数",
                           "-100 不是有效的速度；速度须为大于 0 的数，单位 mm/s",
                           "0 不是有效的速度；速度须为大于 0 的数，单位 mm/s",
                           "77 不是有效的轴号；轴号须为 0 到 63 的整数",
                           "77 is not an axis number; an axis number is a whole number from 0 to "
                           "63"}));
    EXPECT_EQ(window->settings(), before);
    EXPECT_NE(paneText(*window).find("BASE(0, 1)"), std::string::npos);
}

// ---- Actions ----

class Actions : public ProcessDialogs {
  protected:
    dialogs::ActionManager& manager() { return window->dialogs().actionManager(); }
    QPushButton* button(const char* name) { return child<QPushButton>(manager(), name); }
    QPushButton* actionButton(int i) {
        return manager().findChild<QPushButton*>(QStringLiteral("action%1").arg(1004 + i));
    }
    void add(const QString& name, const QString& text) {
        prompter.fill = [&](QDialog& d) {
            type(d, "name", name);
            type(d, "text", text);
            d.accept();
        };
        button("addAction")->click();
    }
};

TEST_F(Actions, TheManagerHoldsThirtyAndRefusesTheThirtyFirst) {
    window->action(Command::ActionManager)->trigger();
    EXPECT_TRUE(manager().isVisible());
    EXPECT_FALSE(manager().isModal());
    button("deleteMode")->click();
    EXPECT_FALSE(manager().deleteMode());
    EXPECT_EQ(prompter.warnings, QStringList{"无命令，无法删除"});

    add("Spindle", "M3\nG4 P1");
    EXPECT_EQ(prompter.dialogTitles.last(), "动作编辑");
    EXPECT_EQ(actionButton(0)->text(), "Spindle");
    EXPECT_EQ(actionButton(0)->toolTip(), "M3\nG4 P1");
    EXPECT_TRUE(actionButton(1)->isHidden());
    EXPECT_EQ(window->settings().actions, (std::vector<Action>{{"Spindle", "M3\r\nG4 P1"}}));
    for (int i = 1; i < 30; ++i)
        add(QStringLiteral("A%1").arg(i), QStringLiteral("OP(%1)").arg(i));
    EXPECT_EQ(window->settings().actions.size(), 30u);
    const int opened = static_cast<int>(prompter.dialogTitles.size());
    button("addAction")->click();
    EXPECT_EQ(prompter.warnings.last(), "命令管理器已满，请删除后再添加");
    EXPECT_EQ(prompter.dialogTitles.size(), opened);  // no editor for the 31st
    EXPECT_EQ(window->settings().actions.size(), 30u);

    window->close();  // the list reaches the settings file
    const auto stored = ProfileFile::load(settingsFile).section("User action");
    ASSERT_EQ(stored.size(), 30u);
    EXPECT_EQ(stored[0], (std::pair<std::string, std::string>{"Spindle", "M3&G4 P1"}));
}

TEST_F(Actions, DeletingTheFirstOfThreeShiftsTheRest) {
    add("A", "OP(1)");
    add("B", "OP(2)");
    add("C", "OP(3)");
    EXPECT_EQ(manager().deleteFace(), QColor(0xF0, 0xF0, 0xF0));
    button("deleteMode")->click();
    EXPECT_EQ(manager().deleteFace(), QColor(255, 0, 0));
    actionButton(0)->click();
    EXPECT_EQ(actionButton(0)->text(), "B");
    EXPECT_EQ(actionButton(1)->text(), "C");
    EXPECT_TRUE(actionButton(2)->isHidden());
    EXPECT_TRUE(manager().deleteMode());  // stays on until clicked again
    button("deleteMode")->click();
    EXPECT_FALSE(manager().deleteMode());

    // Outside delete mode a button edits its action.
    prompter.fill = [](QDialog& d) {
        EXPECT_EQ(textOf(d, "name"), "C");
        type(d, "name", "Cut");
        d.accept();
    };
    actionButton(1)->click();
    EXPECT_EQ(window->settings().actions, (std::vector<Action>{{"B", "OP(2)"}, {"Cut", "OP(3)"}}));
}

TEST_F(Actions, TheEditorRefusesWhatTheSettingsFileCannotKeepInBothLanguages) {
    add("A", "OP(1)");
    const QString tooLong(1100, QLatin1Char('x'));
    for (auto [name, text] : {std::pair<QString, QString>{"a=b", "OP(1)"},
                              {"a\nb", "OP(1)"},
                              {"ab", "M3 & M4"},
                              {"ab", tooLong}})
        add(name, text);
    useLanguage(Language::English);
    add("a=b", "OP(1)");
    useLanguage(Language::Chinese);
    EXPECT_EQ(prompter.warnings,
              (QStringList{"动作名称不能为空，也不能包含“=”或换行",
                           "动作名称不能为空，也不能包含“=”或换行", "指令中不能包含“&”",
                           "动作太长，无法保存（名称和指令最多1023个字符）",
                           "The action name must not be empty or contain \"=\" or a line break"}));
    EXPECT_EQ(window->settings().actions, (std::vector<Action>{{"A", "OP(1)"}}));
}

TEST_F(Actions, ChangeActionOpensFromTheFirstSelectedVectAndSetsEverySelectedOne) {
    add("Spindle", "M3");
    vects()[1]->beforeAction = VarnixCad3_SetStrT(nullptr, 3);
    std::strcpy(vects()[1]->beforeAction, "m3");
    vects()[1]->afterAction = VarnixCad3_SetStrT(nullptr, 4);
    std::strcpy(vects()[1]->afterAction, "OP9");
    selectOnly({1, 2});
    int beforeIndex = -1, afterIndex = -1;
    QString afterText;
    run(Command::ModifyAction, [&](QDialog& d) {
        beforeIndex = child<QComboBox>(d, "beforeList")->currentIndex();
        afterIndex = child<QComboBox>(d, "afterList")->currentIndex();
        afterText = child<QPlainTextEdit>(d, "afterText")->toPlainText();
        child<QComboBox>(d, "afterList")->setCurrentIndex(0);
        child<QComboBox>(d, "beforeList")->setCurrentIndex(1);
        child<QComboBox>(d, "beforeList")->setCurrentIndex(2);
        d.accept();
    });
    EXPECT_EQ(beforeIndex, 2);  // "Spindle", matched without regard to case
    EXPECT_EQ(afterIndex, 1);   // "自定义"
    EXPECT_EQ(afterText, "OP9");
    EXPECT_EQ(before(1), "M3");
    EXPECT_EQ(before(2), "M3");
    EXPECT_EQ(before(0), "");
    EXPECT_STREQ(vects()[2]->afterAction, "");

    window->action(Command::DeleteAction)->trigger();
    EXPECT_EQ(vects()[1]->beforeAction, nullptr);
    EXPECT_EQ(vects()[2]->afterAction, nullptr);
}

TEST_F(Actions, TheListFollowsWhatIsTypedInTheBox) {
    add("Spindle", "M3");
    selectOnly({0});
    QList<int> shown;
    run(Command::ModifyAction, [&](QDialog& d) {
        auto* list = child<QComboBox>(d, "afterList");
        auto* box = child<QPlainTextEdit>(d, "afterText");
        shown << list->currentIndex();  // "无"
        box->setPlainText(QStringLiteral("OP(2)"));
        shown << list->currentIndex();  // "自定义"
        box->setPlainText(QStringLiteral("M3"));
        shown << list->currentIndex();  // the action of that text
        box->clear();
        shown << list->currentIndex();  // "无" again
        list->setCurrentIndex(2);       // choosing fills the box and stays chosen
        shown << list->currentIndex();
        box->setPlainText(QStringLiteral("G4 P1"));
        d.accept();
    });
    EXPECT_EQ(shown, (QList<int>{0, 1, 2, 0, 2}));
    EXPECT_STREQ(vects()[0]->afterAction, "G4 P1");
    EXPECT_STREQ(vects()[0]->beforeAction, "");
}

TEST_F(ProcessDialogs, GridHeadersSpeakChineseAndNumberRowsNameTheirUnits) {
    QStringList headers, labels;
    run(Command::Process, [&](QDialog& d) {
        auto* list = child<QTreeWidget>(d, "properties");
        headers << list->headerItem()->text(0) << list->headerItem()->text(1);
        const QTreeWidgetItem* global = list->topLevelItem(0);
        for (int i = 0; i < global->childCount(); ++i)
            labels << global->child(i)->text(0);
        d.reject();
    });
    EXPECT_EQ(headers, (QStringList{"属性（Property）", "值（Value）"}));
    EXPECT_TRUE(labels.contains("空移速度 (mm/s)")) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("空移加速度 (mm/s²)")) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("X轴轴号"));  // no unit for an axis number
}

TEST_F(ProcessDialogs, TheAutoOptimiseDialogTurnsHatchOutlinesOnAndOff) {
    EXPECT_FALSE(window->settings().optimize.hatchOutlines);
    for (const bool on : {true, false}) {
        run(Command::AutoOptimize, [&](QDialog& d) {
            auto* box = child<QCheckBox>(d, "hatchOutlines");
            ASSERT_NE(box, nullptr);
            EXPECT_NE(box->isChecked(), on);
            box->setChecked(on);
            d.accept();
        });
        EXPECT_EQ(window->settings().optimize.hatchOutlines, on);
    }
}

TEST_F(ProcessDialogs, CuttingFieldsShapeTheProgramAndLeaveTheDrawing) {
    const double firstX = vects()[1]->segs->x0;
    run(Command::Process, [&](QDialog& d) {
        child<QComboBox>(d, "presetSelector")->setCurrentIndex(1);  // 工艺3
        type(d, "property30", "0.5");                               // pierce delay
        type(d, "property31", "0.4");                               // kerf width
        child<QComboBox>(d, "property32")->setCurrentIndex(1);      // by nesting depth
        child<QComboBox>(d, "property35")->setCurrentIndex(1);      // line leads
        d.accept();
    });
    const ProcessPreset& preset = window->settings().process.presets[2];
    EXPECT_EQ(preset.pierceDelay, 0.5);
    EXPECT_EQ(preset.kerfWidth, 0.4);
    EXPECT_EQ(preset.kerfSide, 1);
    EXPECT_EQ(preset.leadType, 1);
    EXPECT_NE(paneText(*window).find("DELAY(500)"), std::string::npos);
    EXPECT_EQ(vects()[1]->segs->x0, firstX);
}

TEST_F(ProcessDialogs, InnerShapesFirstFromTheDialogAndTheSortMenu) {
    QAction* item = window->action(Command::InnerFirst);
    EXPECT_FALSE(item->isChecked());
    run(Command::AutoOptimize, [&](QDialog& d) {
        auto* box = child<QCheckBox>(d, "innerFirst");
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isChecked());
        box->setChecked(true);
        d.accept();
    });
    EXPECT_TRUE(window->settings().optimize.innerFirst);
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(window->settings().optimize.innerFirst);
}

}  // namespace
}  // namespace pathloom::app::testing
