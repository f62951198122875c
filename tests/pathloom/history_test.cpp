// The drawing's undo history (steps through the library's store, steps of whole drawings, the
// kept state, the limits) and the automatic optimisation on its own thread.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/document/history.h"
#include "core/document/optimise_job.h"
#include "core/settings/recent_files.h"
#include "core/text/texts.h"
#include "support/builders.h"

namespace pathloom {
namespace {

using lintrel::test::vectStarts;

using lintrel::test::groupOf;
using lintrel::test::polyline;

VectGroup* twoLines() {
    return groupOf({polyline({{0, 0}, {10, 0}}), polyline({{0, 5}, {10, 5}})});
}

// Reverses every vect as the Reverse command does on a full selection.
void reverseAll(Document& document) {
    Lintrel_SelectAll(document.drawing());
    ASSERT_EQ(Lintrel_Reverse(document.drawing(), 1), LINTREL_OK);
}

TEST(History, EditsAreUndoneAndRedoneInTurn) {
    Document document;
    document.adopt(twoLines());
    History history(document);
    const auto before = vectStarts(document.drawing());
    history.beginEdit();
    reverseAll(document);
    history.endEdit(true, "Reverse");
    const auto after = vectStarts(document.drawing());
    ASSERT_NE(after, before);
    EXPECT_EQ(history.undoName(), "Reverse");

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(vectStarts(document.drawing()), before);
    EXPECT_EQ(history.redoName(), "Reverse");
    EXPECT_FALSE(history.canUndo());
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(vectStarts(document.drawing()), after);

    // An edit that changed nothing is no step.
    history.beginEdit();
    history.endEdit(false, "Nothing");
    EXPECT_EQ(history.undoName(), "Reverse");

    // Two edits of the same chain in place, both undone, then the first redone: the drawing is
    // the one after the first edit, not the one after the second.
    history.beginEdit();
    reverseAll(document);
    history.endEdit(true, "Reverse again");
    ASSERT_EQ(vectStarts(document.drawing()), before);
    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(vectStarts(document.drawing()), before);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(vectStarts(document.drawing()), after);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(vectStarts(document.drawing()), before);
}

TEST(History, WholeDrawingStepsAndTheKeptState) {
    Document document;
    History history(document);
    // A first import: from no drawing to one.
    document.adopt(twoLines());
    document.setName("a.dxf");
    history.replaced(nullptr, "", "Import");
    history.markClean();
    EXPECT_FALSE(history.modified());
    history.beginEdit();
    reverseAll(document);
    history.endEdit(true, "Reverse");
    EXPECT_TRUE(history.modified());
    // New: the drawing is handed to the history.
    history.replaced(document.release(), document.name(), "New");
    document.reset();
    EXPECT_EQ(history.undoName(), "New");

    ASSERT_TRUE(history.undo());  // New
    ASSERT_NE(document.drawing(), nullptr);
    EXPECT_EQ(document.name(), "a.dxf");
    ASSERT_TRUE(history.undo());  // Reverse
    EXPECT_FALSE(history.modified());
    ASSERT_TRUE(history.undo());  // Import
    EXPECT_EQ(document.drawing(), nullptr);
    EXPECT_EQ(document.name(), "");
    EXPECT_FALSE(history.undo());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(history.redo()) << i;
    EXPECT_EQ(document.drawing(), nullptr);

    // A new step drops the redo steps; an edit while the document is busy is refused.
    ASSERT_TRUE(history.undo());
    history.replaced(nullptr, "", "Import");
    EXPECT_FALSE(history.canRedo());
    document.setOptimising(true);
    EXPECT_FALSE(history.undo());
    document.setOptimising(false);
}

TEST(History, KeepsAtMostItsStepsAndItsBudget) {
    Document document;
    document.adopt(twoLines());
    History history(document);
    for (int i = 0; i < History::kSteps + 5; ++i) {
        history.beginEdit();
        reverseAll(document);
        history.endEdit(true, "Reverse " + std::to_string(i));
    }
    int undone = 0;
    while (history.undo())
        ++undone;
    EXPECT_EQ(undone, History::kSteps);
    EXPECT_EQ(history.redoName(), "Reverse 5");
    EXPECT_EQ(History::segmentCount(document.drawing()), 4);  // two segs and two vects
}

TEST(OptimiseJob, OptimisesACopyAndStopsWhenAsked) {
    lintrel::ChainOwner<VectGroup> drawing(groupOf(
        {polyline({{50, 0}, {60, 0}}), polyline({{0, 0}, {10, 0}}), polyline({{20, 0}, {30, 0}})}));
    const auto given = vectStarts(drawing.get());
    AutoOptimizeSettings steps;
    {
        OptimiseJob job(drawing.get(), steps);
        while (!job.finished())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(job.result(), OptimiseJob::Result::Done);
        lintrel::ChainOwner<VectGroup> optimised(job.takeDrawing());
        ASSERT_NE(optimised.get(), nullptr);
        EXPECT_EQ(vectStarts(optimised.get()).front(), (std::pair<double, double>{0, 0}));
        EXPECT_EQ(job.progress().step(), text(Text::AutoTravel));  // the last step ran
        EXPECT_GT(job.progress().percent(), 50);
    }
    EXPECT_EQ(vectStarts(drawing.get()), given);  // the caller's drawing was only read

    // Three vects are optimised within microseconds, before a stop asked for just after the
    // start could arrive; a stop is asked for during a run that lasts.
    VectGroup* group = groupOf({});
    for (int i = 0; i < 20000; ++i) {
        const double x = (i * 7919) % 1000, y = (i * 104729) % 997;
        lintrel::append(group->vects, polyline({{x, y}, {x + 1.5, y + 0.5}}));
    }
    lintrel::ChainOwner<VectGroup> large(group);
    const auto largeGiven = vectStarts(large.get());
    {
        OptimiseJob job(large.get(), steps);
        job.requestStop();
        while (!job.finished())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(job.result(), OptimiseJob::Result::Stopped);
        EXPECT_EQ(job.takeDrawing(), nullptr);
    }
    EXPECT_EQ(vectStarts(large.get()), largeGiven);
}

TEST(RecentFiles, NewestFirstOnceAndAtMostEight) {
    std::vector<std::string> files;
    for (int i = 0; i < 10; ++i)
        files = withRecentFile(files, "/d/" + std::to_string(i) + ".dxf");
    files = withRecentFile(files, "/d/5.dxf");
    ASSERT_EQ(files.size(), kRecentFiles);
    EXPECT_EQ(files.front(), "/d/5.dxf");
    EXPECT_EQ(files[1], "/d/9.dxf");
    files = withoutRecentFile(files, "/d/9.dxf");
    ProfileFile profile = ProfileFile::parse("[Other]\nKey=1\n");
    writeRecentFiles(profile, files);
    const ProfileFile again = ProfileFile::parse(profile.text());
    EXPECT_EQ(readRecentFiles(again), files);
    EXPECT_EQ(again.get("other", "key"), "1");
    writeRecentFiles(profile, {});
    EXPECT_TRUE(readRecentFiles(profile).empty());
}

}  // namespace
}  // namespace pathloom
