// Undo and redo records: each recording operation reversed and repeated, the order of records
// within a step, the 32-step limit, and the release of detached items when steps are discarded.
// Under AddressSanitizer every test ends with a leak check, and released items are seen freed.
#include <gtest/gtest.h>

#include "editing/undo_store.h"
#include "model/items.h"
#include "support/builders.h"

#if defined(__SANITIZE_ADDRESS__)
#define PATHLOOM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PATHLOOM_ASAN 1
#endif
#endif
#if defined(PATHLOOM_ASAN)
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#endif

using namespace lintrel;
using namespace lintrel::test;

namespace {

// Whether the memory of an item has been freed can only be seen under AddressSanitizer; the
// sanitizer build runs these checks, and the leak check at the end of each test.
#if defined(PATHLOOM_ASAN)
#define EXPECT_RELEASED(item) \
    EXPECT_TRUE(__asan_address_is_poisoned(item)) << #item " is still held"
#define EXPECT_HELD(item) EXPECT_FALSE(__asan_address_is_poisoned(item)) << #item " was freed"
#else
#define EXPECT_RELEASED(item) (void)(item)
#define EXPECT_HELD(item) (void)(item)
#endif

class Undo : public ::testing::Test {
  protected:
    void SetUp() override { Lintrel_Edit_ClearRecord(); }
    void TearDown() override {
        Lintrel_Edit_ClearRecord();
        chain_.reset();
#if defined(PATHLOOM_ASAN)
        EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "items leaked";
#endif
    }

    // A chain of vects named by their x coordinate, owned by the test.
    std::vector<Vect*> makeChain(int n) {
        std::vector<Vect*> vects;
        for (int i = 0; i < n; ++i) {
            vects.push_back(polyline({{double(i), 0}, {double(i), 1}}));
            chain_.append(vects.back());
        }
        return vects;
    }
    void** head() {
        return reinterpret_cast<void**>(&chain_.head());
    }
    // The chain walked both ways must give the same order.
    std::vector<Vect*> order() {
        std::vector<Vect*> forward = vectsOf(chain_.get()), backward;
        if (Vect* first = chain_.get()) {
            Vect* v = first;
            do {
                v = v->prev;
                backward.insert(backward.begin(), v);
            } while (v != first);
        }
        EXPECT_EQ(forward, backward) << "prev and next links disagree";
        return forward;
    }

    ChainOwner<Vect> chain_;
};

using Vs = std::vector<Vect*>;

TEST_F(Undo, InsertIntoAnEmptyChainThenUndoAndRedo) {
    Vect* a = polyline({{0, 0}, {1, 0}});
    ASSERT_EQ(Lintrel_Edit_AddRecord(), LINTREL_OK);
    ASSERT_EQ(Lintrel_Edit_InsertOne(head(), a, nullptr), LINTREL_OK);
    EXPECT_EQ(chain_.get(), a);
    EXPECT_EQ(Lintrel_Edit_Undo(), LINTREL_OK);
    EXPECT_EQ(chain_.get(), nullptr);
    EXPECT_FALSE(Lintrel_Edit_IfUndo());
    EXPECT_TRUE(Lintrel_Edit_IfRedo());
    EXPECT_EQ(Lintrel_Edit_Redo(), LINTREL_OK);
    EXPECT_EQ(order(), Vs{a});
    EXPECT_EQ(Lintrel_Edit_Redo(), LINTREL_NOTHING_TO_DO);
}

TEST_F(Undo, InsertAfterAnItemAndAtTheEnd) {
    const Vs v = makeChain(2);
    Vect* x = polyline({{5, 0}, {6, 0}});
    Vect* y = polyline({{7, 0}, {8, 0}});
    Lintrel_Edit_AddRecord();
    ASSERT_EQ(Lintrel_Edit_InsertOne(head(), x, v[0]), LINTREL_OK);
    ASSERT_EQ(Lintrel_Edit_InsertOne(head(), y, nullptr), LINTREL_OK);
    EXPECT_EQ(order(), (Vs{v[0], x, v[1], y}));
    Lintrel_Edit_Undo();
    EXPECT_EQ(order(), (Vs{v[0], v[1]}));
    Lintrel_Edit_Redo();
    EXPECT_EQ(order(), (Vs{v[0], x, v[1], y}));
}

TEST_F(Undo, DeleteTheFirstOfThreeThenUndo) {
    const Vs v = makeChain(3);
    Lintrel_Edit_AddRecord();
    ASSERT_EQ(Lintrel_Edit_DeleteOne(head(), v[0]), LINTREL_OK);
    EXPECT_EQ(order(), (Vs{v[1], v[2]}));
    Lintrel_Edit_Undo();
    EXPECT_EQ(order(), (Vs{v[0], v[1], v[2]}));
    Lintrel_Edit_Redo();
    EXPECT_EQ(order(), (Vs{v[1], v[2]}));
    Lintrel_Edit_Undo();  // the test's chain owns every vect again
}

TEST_F(Undo, DeleteTheOnlyItem) {
    const Vs v = makeChain(1);
    Lintrel_Edit_AddRecord();
    ASSERT_EQ(Lintrel_Edit_DeleteOne(head(), v[0]), LINTREL_OK);
    EXPECT_EQ(chain_.get(), nullptr);
    Lintrel_Edit_Undo();
    EXPECT_EQ(order(), Vs{v[0]});
}

TEST_F(Undo, ReplaceInTheMiddleAndAtTheHeadThenUndoAndRedo) {
    const Vs v = makeChain(3);
    Vect* x = polyline({{5, 0}, {6, 0}});
    Vect* y = polyline({{7, 0}, {8, 0}});
    Lintrel_Edit_AddRecord();
    ASSERT_EQ(Lintrel_Edit_UpdateOne(head(), v[1], x), LINTREL_OK);
    ASSERT_EQ(Lintrel_Edit_UpdateOne(head(), v[0], y), LINTREL_OK);
    EXPECT_EQ(order(), (Vs{y, x, v[2]}));
    Lintrel_Edit_Undo();
    EXPECT_EQ(order(), (Vs{v[0], v[1], v[2]}));
    Lintrel_Edit_Redo();
    EXPECT_EQ(order(), (Vs{y, x, v[2]}));
    // The replaced items are held by the step and go when the store is cleared.
    Lintrel_Edit_ClearRecord();
    EXPECT_RELEASED(v[0]);
    EXPECT_RELEASED(v[1]);
}

TEST_F(Undo, ReplaceALoneItem) {
    const Vs v = makeChain(1);
    Vect* x = polyline({{5, 0}, {6, 0}});
    Lintrel_Edit_AddRecord();
    ASSERT_EQ(Lintrel_Edit_UpdateOne(head(), v[0], x), LINTREL_OK);
    EXPECT_EQ(order(), Vs{x});
    Lintrel_Edit_Undo();
    EXPECT_EQ(order(), Vs{v[0]});
    Lintrel_Edit_Redo();
    EXPECT_EQ(order(), Vs{x});
}

TEST_F(Undo, AStepOfTwoRecordsIsUndoneInReverseOrder) {
    // Undone in the wrong order, B would be put back between neighbours that no longer agree.
    const Vs v = makeChain(3);
    Lintrel_Edit_AddRecord();
    ASSERT_EQ(Lintrel_Edit_DeleteOne(head(), v[0]), LINTREL_OK);
    ASSERT_EQ(Lintrel_Edit_DeleteOne(head(), v[1]), LINTREL_OK);
    EXPECT_EQ(order(), Vs{v[2]});
    Lintrel_Edit_Undo();
    EXPECT_EQ(order(), (Vs{v[0], v[1], v[2]}));
    Lintrel_Edit_Redo();
    EXPECT_EQ(order(), Vs{v[2]});
    Lintrel_Edit_Undo();
}

TEST_F(Undo, StepsUndoneAndRedoneOneByOne) {
    const Vs v = makeChain(3);
    Vect* x = polyline({{5, 0}, {6, 0}});
    Lintrel_Edit_AddRecord();
    Lintrel_Edit_DeleteOne(head(), v[1]);
    Lintrel_Edit_AddRecord();
    Lintrel_Edit_InsertOne(head(), x, v[0]);
    EXPECT_EQ(order(), (Vs{v[0], x, v[2]}));
    Lintrel_Edit_Undo();
    EXPECT_EQ(order(), (Vs{v[0], v[2]}));
    Lintrel_Edit_Undo();
    EXPECT_EQ(order(), (Vs{v[0], v[1], v[2]}));
    EXPECT_EQ(Lintrel_Edit_Undo(), LINTREL_NOTHING_TO_DO);
    Lintrel_Edit_Redo();
    Lintrel_Edit_Redo();
    EXPECT_EQ(order(), (Vs{v[0], x, v[2]}));
    Lintrel_Edit_ClearRecord();
    EXPECT_RELEASED(v[1]);
}

TEST_F(Undo, ReplaceAWholeChain) {
    makeChain(2);
    Vect* before = chain_.get();
    Vect* after = polyline({{9, 9}, {10, 10}});
    Lintrel_Edit_AddRecord();
    ASSERT_EQ(Lintrel_Edit_UpdateAll(head(), before, after), LINTREL_OK);
    EXPECT_EQ(chain_.get(), after);
    Lintrel_Edit_Undo();
    EXPECT_EQ(chain_.get(), before);
    EXPECT_EQ(order().size(), 2u);
    // Clearing releases the new chain, which the undo left detached in the store.
    Lintrel_Edit_ClearRecord();
    EXPECT_RELEASED(after);
}

TEST_F(Undo, OnlyTheLatest32StepsCanBeUndone) {
    const Vs v = makeChain(40);
    for (int i = 0; i < 33; ++i) {
        ASSERT_EQ(Lintrel_Edit_AddRecord(), LINTREL_OK);
        ASSERT_EQ(Lintrel_Edit_DeleteOne(head(), v[i]), LINTREL_OK);
    }
    // The 33rd step took the slot of the first, whose deleted vect went with it.
    EXPECT_RELEASED(v[0]);
    for (int i = 1; i < 33; ++i)
        EXPECT_HELD(v[i]);
    for (int i = 0; i < 32; ++i)
        ASSERT_EQ(Lintrel_Edit_Undo(), LINTREL_OK) << i;
    EXPECT_EQ(Lintrel_Edit_Undo(), LINTREL_NOTHING_TO_DO);
    const Vs back = order();
    ASSERT_EQ(back.size(), 39u);
    EXPECT_EQ(back.front(), v[1]);
    EXPECT_EQ(back.back(), v[39]);
    // Redo all and undo again, across the wrap of the slot ring.
    for (int i = 0; i < 32; ++i)
        ASSERT_EQ(Lintrel_Edit_Redo(), LINTREL_OK);
    EXPECT_EQ(order().size(), 7u);
    for (int i = 0; i < 32; ++i)
        Lintrel_Edit_Undo();
    EXPECT_EQ(order().size(), 39u);
}

TEST_F(Undo, DiscardingTheOldestStepKeepsTheNewerOnesAndTheRedoSteps) {
    const Vs v = makeChain(5);
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(Lintrel_Edit_AddRecord(), LINTREL_OK);
        ASSERT_EQ(Lintrel_Edit_DeleteOne(head(), v[i]), LINTREL_OK);
    }
    ASSERT_EQ(Lintrel_Edit_Undo(), LINTREL_OK);  // v[3] back; a redo step now
    ASSERT_EQ(Lintrel_Edit_DiscardOldest(), LINTREL_OK);
    EXPECT_RELEASED(v[0]);
    EXPECT_HELD(v[1]);
    ASSERT_EQ(Lintrel_Edit_Undo(), LINTREL_OK);
    ASSERT_EQ(Lintrel_Edit_Undo(), LINTREL_OK);
    EXPECT_EQ(Lintrel_Edit_Undo(), LINTREL_NOTHING_TO_DO);  // the discarded step stays gone
    EXPECT_EQ(order(), (Vs{v[1], v[2], v[3], v[4]}));
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(Lintrel_Edit_Redo(), LINTREL_OK) << i;
    EXPECT_EQ(order(), (Vs{v[4]}));
    // Discarding down to nothing leaves no open step to record into.
    while (Lintrel_Edit_DiscardOldest() == LINTREL_OK) {
    }
    EXPECT_FALSE(Lintrel_Edit_IfUndo());
    EXPECT_EQ(Lintrel_Edit_DeleteOne(head(), v[4]), LINTREL_NO_UNDO_RECORD);
}

TEST_F(Undo, OpeningAStepAfterAnUndoReleasesTheUndoneItems) {
    const Vs v = makeChain(2);
    Vect* x = polyline({{5, 0}, {6, 0}});
    Lintrel_Edit_AddRecord();
    Lintrel_Edit_InsertOne(head(), x, nullptr);
    Lintrel_Edit_Undo();
    EXPECT_HELD(x);
    Lintrel_Edit_AddRecord();
    EXPECT_RELEASED(x);
    EXPECT_FALSE(Lintrel_Edit_IfRedo());
    EXPECT_EQ(order(), (Vs{v[0], v[1]}));
}

TEST_F(Undo, RecordingChecksItsArgumentsAndTheOpenStep) {
    const Vs v = makeChain(2);
    ChainOwner<Vect> lone(polyline({{5, 0}, {6, 0}}));
    ChainOwner<Seg> seg(newLine(0, 0, 1, 1));
    EXPECT_EQ(Lintrel_Edit_InsertOne(head(), lone.get(), nullptr), LINTREL_NO_UNDO_RECORD);
    EXPECT_EQ(Lintrel_Edit_DeleteOne(head(), v[0]), LINTREL_NO_UNDO_RECORD);
    EXPECT_EQ(Lintrel_Edit_InsertOne(nullptr, lone.get(), nullptr), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_Edit_InsertOne(head(), v[1], nullptr), LINTREL_NOT_LONE_ITEM);
    EXPECT_EQ(Lintrel_Edit_UpdateAll(head(), nullptr, lone.get()), LINTREL_BAD_ARGUMENT);
    Lintrel_Edit_AddRecord();
    // A seg in a chain of vects would corrupt both rings.
    EXPECT_EQ(Lintrel_Edit_InsertOne(head(), seg.get(), nullptr), LINTREL_BASE_TYPES_DIFFER);
    EXPECT_EQ(Lintrel_Edit_UpdateOne(head(), v[0], seg.get()), LINTREL_BASE_TYPES_DIFFER);
    // A replacement still linked elsewhere would leave its old ring pointing at the model.
    EXPECT_EQ(Lintrel_Edit_UpdateOne(head(), v[0], v[1]), LINTREL_NOT_LONE_ITEM);
    EXPECT_EQ(order(), (Vs{v[0], v[1]}));
    // After an undo the open step is a redo step and takes no edits until a new step opens.
    Lintrel_Edit_DeleteOne(head(), v[1]);
    Lintrel_Edit_Undo();
    EXPECT_EQ(Lintrel_Edit_InsertOne(head(), lone.get(), nullptr), LINTREL_NO_UNDO_RECORD);
    Lintrel_Edit_Redo();  // the newest step again: it takes edits
    EXPECT_EQ(Lintrel_Edit_InsertOne(head(), lone.release(), nullptr), LINTREL_OK);
    EXPECT_EQ(order().size(), 2u);
}

TEST_F(Undo, ClearingEmptiesTheStore) {
    const Vs v = makeChain(2);
    Lintrel_Edit_AddRecord();
    Lintrel_Edit_DeleteOne(head(), v[0]);
    Lintrel_Edit_AddRecord();
    Lintrel_Edit_DeleteOne(head(), v[1]);
    Lintrel_Edit_Undo();
    EXPECT_TRUE(Lintrel_Edit_IfUndo());
    EXPECT_TRUE(Lintrel_Edit_IfRedo());
    EXPECT_EQ(Lintrel_Edit_ClearRecord(), LINTREL_OK);
    EXPECT_FALSE(Lintrel_Edit_IfUndo());
    EXPECT_FALSE(Lintrel_Edit_IfRedo());
    EXPECT_RELEASED(v[0]);
    EXPECT_EQ(order(), Vs{v[1]});
    EXPECT_EQ(Lintrel_Edit_DeleteOne(head(), v[1]), LINTREL_NO_UNDO_RECORD);
}

}  // namespace
