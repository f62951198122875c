// The optimisation and transform dialogs in the running window: filled by object name, accepted,
// and their effect on a drawing made in the test; refused inputs say why and change nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/commands.h"
#include "app/dialog_support.h"
#include "app/language.h"
#include "dialogs/origin_dialog.h"
#include "view/canvas.h"

namespace pathloom::app::testing {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;

class TransformDialogs : public DialogTest {
  protected:
    // a: (0,0)-(10,0), b: (0,5)-(10,5) in group 1; c: (0,9)-(4,9) in group 2.
    void SetUp() override {
        DialogTest::SetUp();
        VectGroup* drawing = groupOf({polyline({{0, 0}, {10, 0}}), polyline({{0, 5}, {10, 5}})});
        lintrel::append(drawing, groupOf({polyline({{0, 9}, {4, 9}})}, 2));
        adopt(drawing);
    }
    // A program text no regeneration writes: it stays only when nothing was regenerated.
    void markCode() { window->document().setCode("unchanged", {}); }
    bool codeKept() { return window->document().code() == "unchanged"; }
};

TEST_F(TransformDialogs, SpeedOpensWith200WithoutSelectionAndTakesOnlyPositiveFiniteNumbers) {
    QString opened;
    run(Command::CustomSpeed, [&](QDialog& d) {
        opened = textOf(d, "speed");
        d.reject();
    });
    EXPECT_EQ(opened, "200.0000");  // four decimals, as every dialog shows its measures
    EXPECT_EQ(prompter.dialogTitles.last(), "修改速度");

    selectOnly({1});
    vects()[1]->speed = 75;
    run(Command::CustomSpeed, [&](QDialog& d) {
        opened = textOf(d, "speed");
        type(d, "speed", "0");
        d.accept();
    });
    EXPECT_EQ(opened, "75.0000");
    for (const char* bad : {"abc", "inf", "1e999", ""}) {
        bool accepted = true;
        run(Command::CustomSpeed, [&](QDialog& d) {
            type(d, "speed", bad);
            d.accept();
            accepted = d.result() == QDialog::Accepted;
        });
        EXPECT_FALSE(accepted) << bad;
    }
    EXPECT_EQ(prompter.warnings, (QStringList{"参数错误", "请输入一个数字。", "请输入一个数字。",
                                              "请输入一个数字。", "请输入一个数字。"}));
    EXPECT_EQ(vects()[1]->speed, 75);

    const std::string before = paneText(*window);
    run(Command::CustomSpeed, [&](QDialog& d) {
        type(d, "speed", "120");
        d.accept();
    });
    EXPECT_EQ(vects()[1]->speed, 120);
    EXPECT_EQ(vects()[0]->speed, 200);
    EXPECT_NE(paneText(*window), before);
}

TEST_F(TransformDialogs, OrderStaysInTheGroupAndScaleRefusesWhatFloatsCannotHold) {
    selectOnly({1});
    QString opened;
    run(Command::CustomOrder, [&](QDialog& d) {
        opened = textOf(d, "order");
        type(d, "order", "1.9");
        d.accept();
    });
    EXPECT_EQ(opened, "2");
    EXPECT_EQ(vects()[0]->segs->y0, 5);  // now first
    run(Command::CustomOrder, [&](QDialog& d) {
        type(d, "order", "0.5");
        d.accept();
    });
    // The shape of the second group cannot move into the first, nor the first group's beyond it.
    selectOnly({2});
    run(Command::CustomOrder, [&](QDialog& d) {
        type(d, "order", "1");
        d.accept();
    });
    selectOnly({0});
    run(Command::CustomOrder, [&](QDialog& d) {
        type(d, "order", "1e300");
        d.accept();
    });
    EXPECT_EQ(prompter.warnings,
              (QStringList{"参数错误", "该图形所在颜色组的顺序为 3，图形只能在本组内移动",
                           "该图形所在颜色组的顺序为 1-2，图形只能在本组内移动"}));
    EXPECT_EQ(vects()[0]->segs->y0, 5);
    EXPECT_EQ(vects()[2]->segs->y0, 9);

    selectOnly({1});
    for (const char* refused : {"0.0001", "1e39"}) {
        run(Command::Scale, [&](QDialog& d) {
            opened = textOf(d, "factor");
            type(d, "factor", refused);
            d.accept();
        });
    }
    EXPECT_EQ(opened, "1.0");
    EXPECT_EQ(prompter.warnings.mid(3), (QStringList{"缩放尺寸不正确！", "缩放尺寸不正确！"}));
    EXPECT_EQ(vects()[1]->segs->x1, 10);
    run(Command::Scale, [&](QDialog& d) {
        type(d, "factor", "0.00011");
        d.accept();
    });
    EXPECT_NEAR(vects()[1]->segs->x1, 0.0011, 1e-9);
    EXPECT_EQ(vects()[0]->segs->x1, 10);
}

TEST_F(TransformDialogs, HeightsMoveAndStartPointActOnTheSelection) {
    selectOnly({0, 2});
    vects()[0]->workHeight = 1.5;
    vects()[0]->liftHeight = 6;
    QString work, lift;
    run(Command::CustomZ, [&](QDialog& d) {
        work = textOf(d, "workHeight");
        lift = textOf(d, "liftHeight");
        type(d, "workHeight", "3");
        type(d, "liftHeight", "7");
        d.accept();
    });
    EXPECT_EQ(work, "1.5000");
    EXPECT_EQ(lift, "6.0000");
    EXPECT_EQ(vects()[2]->workHeight, 3);
    EXPECT_EQ(vects()[2]->liftHeight, 7);
    EXPECT_EQ(vects()[1]->workHeight, 0);

    markCode();
    run(Command::Translate, [&](QDialog& d) { d.accept(); });  // 0 and 0
    EXPECT_TRUE(codeKept());
    run(Command::Translate, [&](QDialog& d) {
        type(d, "dx", "2");
        type(d, "dy", "-3");
        d.accept();
    });
    EXPECT_FALSE(codeKept());
    EXPECT_EQ(vects()[0]->segs->x0, 2);
    EXPECT_EQ(vects()[2]->segs->y0, 6);
    EXPECT_EQ(vects()[1]->segs->x0, 0);

    run(Command::MoveStart, [&](QDialog& d) {
        work = textOf(d, "targetX");
        type(d, "targetX", "100");
        type(d, "targetY", "50");
        d.accept();
    });
    EXPECT_EQ(work, "2.0000");
    EXPECT_EQ(vects()[0]->segs->x0, 100);
    EXPECT_EQ(vects()[0]->segs->y0, 50);
    EXPECT_EQ(vects()[2]->segs->x0, 100);  // the same offset for all
    EXPECT_EQ(vects()[2]->segs->y0, 59);
}

TEST_F(TransformDialogs, RotateByZeroChangesNothingAndTheAutoAngleFollowsTheTwoPoints) {
    selectOnly({0});
    QString angle, base;
    markCode();
    run(Command::Rotate, [&](QDialog& d) {
        base = textOf(d, "baseX");
        type(d, "y2", "-5");
        child<QPushButton>(d, "autoAngle")->click();
        angle = textOf(d, "angle");
        type(d, "angle", "0");
        d.accept();
    });
    EXPECT_EQ(base, "0.0000");
    EXPECT_EQ(angle, "270.000000");
    EXPECT_TRUE(codeKept());
    EXPECT_EQ(vects()[0]->segs->x1, 10);

    run(Command::Rotate, [&](QDialog& d) {
        type(d, "angle", "90");
        d.accept();
    });
    EXPECT_FALSE(codeKept());
    EXPECT_NEAR(std::fabs(vects()[0]->segs->y1), 10, 1e-5);
    EXPECT_NEAR(vects()[0]->segs->x1, 0, 1e-5);
    EXPECT_EQ(vects()[1]->segs->x1, 10);
}

TEST_F(TransformDialogs, MirrorRemembersItsBoxesForTheRun) {
    selectOnly({1});
    bool x = true, y = true;
    QString axis;
    run(Command::Mirror, [&](QDialog& d) {
        x = child<QCheckBox>(d, "mirrorX")->isChecked();
        y = child<QCheckBox>(d, "mirrorY")->isChecked();
        axis = textOf(d, "yAxis");
        child<QCheckBox>(d, "mirrorX")->setChecked(true);
        type(d, "xAxis", "20");
        d.accept();
    });
    EXPECT_FALSE(x || y);
    EXPECT_EQ(axis, "5.0000");
    EXPECT_EQ(vects()[1]->segs->x0, 40);
    EXPECT_EQ(vects()[1]->segs->x1, 30);

    markCode();
    run(Command::Mirror, [&](QDialog& d) {
        x = child<QCheckBox>(d, "mirrorX")->isChecked();
        child<QCheckBox>(d, "mirrorX")->setChecked(false);
        d.accept();
    });
    EXPECT_TRUE(x);
    EXPECT_TRUE(codeKept());  // neither box: only remembered
    EXPECT_FALSE(window->dialogs().memory().mirrorX);
}

TEST_F(TransformDialogs, OptimisationDialogsRememberTheirValuesAndRunTheirStep) {
    lintrel::append(window->document().drawing()->vects, polyline({{20, 20}, {20.1, 20}}));
    selectOnly({0, 1, 2, 3});
    QStringList opened;
    run(Command::RemoveTiny, [&](QDialog& d) {
        opened << textOf(d, "width") << textOf(d, "height");
        type(d, "width", "1");
        type(d, "height", "1");
        d.accept();
    });
    EXPECT_EQ(vects().size(), 3u);  // only the tiny line went
    run(Command::RemoveTiny, [&](QDialog& d) {
        opened << textOf(d, "width") << textOf(d, "height");
        d.reject();
    });
    EXPECT_EQ(opened, (QStringList{"0.0000", "0.0000", "1.0000", "1.0000"}));

    opened.clear();
    for (Command command : {Command::Merge, Command::Merge}) {
        run(command, [&](QDialog& d) {
            opened << textOf(d, "distance");
            type(d, "distance", "0.5");
            d.accept();
        });
    }
    // Curve precision and travel optimisation each ask for their own value under their own title.
    for (Command command : {Command::CurvePrecision, Command::OptimizeTravel,
                            Command::CurvePrecision, Command::OptimizeTravel}) {
        selectOnly({0, 1, 2});
        const char* field = command == Command::CurvePrecision ? "precision" : "tolerance";
        run(command, [&](QDialog& d) {
            opened << textOf(d, field) + "|" + d.windowTitle();
            type(d, field, command == Command::CurvePrecision ? "0.2" : "0.3");
            d.accept();
        });
    }
    EXPECT_EQ(opened, (QStringList{"0.0000", "0.5000", "0.0500|曲线精度", "0.0500|优化空移",
                                   "0.2000|曲线精度", "0.3000|优化空移"}));
    EXPECT_EQ(window->dialogs().memory().travelTolerance, 0.3);
    EXPECT_TRUE(prompter.warnings.isEmpty()) << prompter.warnings.join("; ").toStdString();
}

TEST_F(TransformDialogs, AutoOptimizeEnablesFieldsByTheirStepAndCorrectsOnOk) {
    bool precisionOn = false, precisionOff = true, sortOff = true;
    run(Command::AutoOptimize, [&](QDialog& d) {
        precisionOn = child<QLineEdit>(d, "precision")->isEnabled();
        child<QCheckBox>(d, "smoothing")->setChecked(false);
        precisionOff = child<QLineEdit>(d, "precision")->isEnabled();
        child<QCheckBox>(d, "sort")->setChecked(false);
        sortOff = child<QComboBox>(d, "sortBy")->isEnabled() ||
                  child<QCheckBox>(d, "allowReverse")->isEnabled();
        child<QCheckBox>(d, "smoothing")->setChecked(true);
        type(d, "precision", "0.6");
        type(d, "pltUnits", "0");
        type(d, "distance", "0.25");
        d.accept();
    });
    EXPECT_TRUE(precisionOn);
    EXPECT_FALSE(precisionOff);
    EXPECT_FALSE(sortOff);
    const AutoOptimizeSettings s = window->settings().optimize;
    EXPECT_EQ(s.smoothingAccuracy, 0.05);
    EXPECT_EQ(s.pltUnits, 1016.0);
    EXPECT_EQ(s.mergeMaxSize, 0.25);
    EXPECT_FALSE(s.sort);

    run(Command::AutoOptimize, [&](QDialog& d) {
        type(d, "precision", "nan");
        d.accept();
        type(d, "precision", "0.3");
        d.reject();
    });
    EXPECT_EQ(window->settings().optimize, s);
    EXPECT_EQ(prompter.warnings, QStringList{"请输入一个数字。"});

    // Tiny-shape sizes the settings do not allow are refused, and the field is chosen for
    // correcting; a sound value then closes the dialog.
    prompter.warnings.clear();
    QStringList refusedFields;
    for (const auto& [name, value] :
         {std::pair{"tinyWidth", "-5"}, std::pair{"tinyHeight", "1e300"}}) {
        run(Command::AutoOptimize, [&](QDialog& d) {
            type(d, name, value);
            d.accept();
            if (d.result() != QDialog::Accepted) refusedFields << d.focusWidget()->objectName();
            type(d, name, "0.8");
            d.accept();
        });
    }
    EXPECT_EQ(refusedFields, (QStringList{"tinyWidth", "tinyHeight"}));
    EXPECT_EQ(prompter.warnings,
              (QStringList{"-5 不是有效的尺寸；尺寸须为 0 到 100000 之间的数，单位 mm",
                           "1e+300 不是有效的尺寸；尺寸须为 0 到 100000 之间的数，单位 mm"}));
    EXPECT_EQ(window->settings().optimize.minimalWidth, 0.8);
    EXPECT_EQ(window->settings().optimize.minimalHeight, 0.8);
    prompter.warnings.clear();

    // The ninth sort: list entry 8 is "Sort by" 8 and opens as it was chosen.
    QString ninth;
    for (int pass = 0; pass < 2; ++pass) {
        run(Command::AutoOptimize, [&](QDialog& d) {
            QComboBox* list = child<QComboBox>(d, "sortBy");
            EXPECT_EQ(list->count(), 9);
            ninth = list->itemText(8);
            if (pass == 1) {
                EXPECT_EQ(list->currentIndex(), 8);
            }
            list->setCurrentIndex(8);
            d.accept();
        });
    }
    EXPECT_EQ(ninth, "最短空移排序");
    EXPECT_EQ(window->settings().optimize.sortBy, 8);
}

TEST_F(TransformDialogs, OriginAnchorsAndTypedPointMoveTheWholeDrawing) {
    adopt(groupOf({polyline({{0, 0}, {40, 0}, {40, 2}, {0, 2}}, true)}));
    window->action(Command::Origin)->trigger();
    dialogs::OriginDialog* origin = window->dialogs().originDialog();
    ASSERT_NE(origin, nullptr);
    EXPECT_TRUE(origin->isVisible());
    EXPECT_TRUE(origin->isWindow());
    EXPECT_FALSE(origin->isModal());
    EXPECT_TRUE(child<QPushButton>(*origin, "pickOrigin")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(*origin, "originX")->text(), "0.0");

    markCode();
    child<QPushButton>(*origin, "anchor4")->click();  // "正中"
    EXPECT_FALSE(codeKept());
    EXPECT_NEAR(vects()[0]->segs->x0, -20, 1e-6);
    EXPECT_NEAR(vects()[0]->segs->y0, -1, 1e-6);

    child<QLineEdit>(*origin, "originX")->setText("abc");
    child<QPushButton>(*origin, "typedOrigin")->click();
    EXPECT_EQ(prompter.warnings, QStringList{"请输入一个数字。"});
    child<QLineEdit>(*origin, "originX")->setText("-20");
    child<QLineEdit>(*origin, "originY")->setText("-1");
    child<QPushButton>(*origin, "typedOrigin")->click();
    EXPECT_NEAR(vects()[0]->segs->x0, 0, 1e-6);
    EXPECT_NEAR(vects()[0]->segs->y0, 0, 1e-6);
    child<QPushButton>(*origin, "anchor0")->click();  // "左上": the top left corner
    EXPECT_NEAR(vects()[0]->segs->y0, -2, 1e-6);

    window->action(Command::New)->trigger();
    child<QPushButton>(*origin, "anchor4")->click();  // no drawing: nothing to do
    EXPECT_EQ(window->document().drawing(), nullptr);
    window->action(Command::Origin)->trigger();
    EXPECT_EQ(window->dialogs().originDialog(), origin);  // made once, shown again
}

TEST_F(TransformDialogs, TravelDialogSpeaksOfItsToleranceInBothLanguages) {
    selectOnly({0});
    QString title, prompt;
    const auto look = [&](QDialog& d) {
        title = d.windowTitle();
        prompt = child<QLabel>(d, "prompt")->text();
        d.reject();
    };
    run(Command::OptimizeTravel, look);
    EXPECT_EQ(title, "优化空移");
    EXPECT_EQ(prompt, "请输入优化空移的容差:");
    useLanguage(Language::English);
    run(Command::OptimizeTravel, look);
    useLanguage(Language::Chinese);
    EXPECT_EQ(title, "Optimise travel");
    EXPECT_EQ(prompt, "Enter the tolerance of the travel optimisation:");
}

TEST_F(TransformDialogs, OriginWindowTakesTheKeyboardAndItsButtonsRefitTheView) {
    // A part far from the origin fills the view; centred on the origin it must still be seen.
    adopt(groupOf({polyline({{900, 700}, {1000, 700}, {1000, 760}, {900, 760}}, true)}));
    window->resize(900, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    view::Canvas* canvas = window->canvas();
    const auto onScreen = [&](double x, double y) {
        canvas->picture();  // the view as the next paint shows it
        return canvas->rect().contains(canvas->pixelOf(x, y).toPoint());
    };
    ASSERT_TRUE(onScreen(900, 700) && onScreen(1000, 760));

    window->action(Command::Origin)->trigger();
    dialogs::OriginDialog* origin = window->dialogs().originDialog();
    ASSERT_NE(origin, nullptr);
    // The window takes the keyboard (a tool window counts as active with its parent, so ask the
    // application which window is).
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == origin; }));
    auto* centre = child<QPushButton>(*origin, "anchor4");  // "正中"
    QTest::mouseClick(centre, Qt::LeftButton);
    EXPECT_NEAR(vects()[0]->segs->x0, -50, 1e-6);
    EXPECT_TRUE(onScreen(-50, -30) && onScreen(50, 30));
    QTest::mouseClick(child<QPushButton>(*origin, "anchor6"), Qt::LeftButton);  // "左下"
    EXPECT_TRUE(onScreen(0, 0) && onScreen(100, 60));
    child<QLineEdit>(*origin, "originX")->setText("-500");
    QTest::mouseClick(child<QPushButton>(*origin, "typedOrigin"), Qt::LeftButton);
    EXPECT_TRUE(onScreen(500, 0) && onScreen(600, 60));

    // Escape where the keyboard is closes the window.
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->window(), origin);
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_FALSE(origin->isVisible());
}

}  // namespace
}  // namespace pathloom::app::testing
