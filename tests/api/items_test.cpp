// The item family's exports: constructors, type codes, copies, deletion, splicing, separating,
// counting and action texts, including their answers to bad arguments.
#include <gtest/gtest.h>

#include <cstring>

#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

std::vector<Vect*> chainOf(std::initializer_list<Vect*> vects) {
    Vect* head = nullptr;
    for (Vect* v : vects)
        append(head, v);
    return vectsOf(head);
}

}  // namespace

TEST(Constructors, NewItemsAreLoneRingsWithTheirInitialValues) {
    Vect* v = VarnixCad3_NewVect();
    EXPECT_EQ(v->type, 2002);
    EXPECT_EQ(v->closed, 0);
    EXPECT_EQ(v->state, 1);
    EXPECT_EQ(v->speed, 200.0);
    EXPECT_EQ(v->prev, v);
    EXPECT_EQ(v->next, v);
    EXPECT_EQ(v->segs, nullptr);
    EXPECT_EQ(v->flatSegs, nullptr);
    EXPECT_EQ(v->link, nullptr);
    EXPECT_EQ(v->selected, 0);
    EXPECT_EQ(v->liftHeight + v->workHeight + v->xMin + v->yMax + v->textHeight, 0.0);
    EXPECT_EQ(v->text, nullptr);

    Seg* s = VarnixCad3_NewSeg();
    EXPECT_EQ(s->type, 1001);
    EXPECT_EQ(s->next, s);
    EXPECT_EQ(s->x0 + s->y0 + s->z0 + s->x1 + s->y1 + s->z1, 0.0);

    Graph* g = VarnixCad3_NewGraph();
    EXPECT_EQ(g->type, 5000);
    EXPECT_EQ(g->groups, nullptr);
    EXPECT_EQ(g->images, nullptr);

    Image* image = VarnixCad3_NewImage();
    EXPECT_EQ(image->type, 4000);
    EXPECT_EQ(image->pixels, nullptr);
    EXPECT_EQ(image->palette, nullptr);
    EXPECT_EQ(image->paletteCount, 0);

    VectGroup* group = VarnixCad3_NewVectGroup();
    EXPECT_EQ(group->type, 3000);
    EXPECT_EQ(group->vects, nullptr);
    EXPECT_EQ(VarnixCad3_ItemGetListNum(group), 1);

    for (void* item : {static_cast<void*>(v), static_cast<void*>(s), static_cast<void*>(g),
                       static_cast<void*>(image), static_cast<void*>(group)})
        EXPECT_EQ(VarnixCad3_DeleteChain(item), 0);
}

TEST(Constructors, TypeAndBaseType) {
    ChainOwner<Seg> curve(newSeg());
    curve.get()->type = LINTREL_SEG_CURVE;
    ChainOwner<Vect> text(newVect());
    text.get()->type = LINTREL_TEXT;
    ChainOwner<Graph> graph(newGraph());
    EXPECT_EQ(VarnixCad3_GetItemType(curve.get()), 1004);
    EXPECT_EQ(VarnixCad3_GetItemBaseType(curve.get()), 1000);
    EXPECT_EQ(VarnixCad3_GetItemBaseType(text.get()), 2000);
    EXPECT_EQ(VarnixCad3_GetItemBaseType(graph.get()), 5000);
    EXPECT_EQ(VarnixCad3_GetItemType(nullptr), 0);
    EXPECT_EQ(VarnixCad3_GetItemBaseType(nullptr), 0);
    EXPECT_EQ(VarnixCad3_ItemFindNext(nullptr), nullptr);
    EXPECT_EQ(VarnixCad3_ItemFindPrev(nullptr), nullptr);
}

TEST(Copy, ChainOfSegsIsAnEqualNewRing) {
    ChainOwner<Vect> v(polyline({{0, 0}, {1, 2}, {3, 4}, {5, 6}}));
    Seg* first = v.get()->segs;
    first->next->jump = 1;
    first->next->tag = 7;
    first->z0 = 0.5;
    void* copy = nullptr;
    ASSERT_EQ(VarnixCad3_CopyChain(first, &copy), 0);
    ChainOwner<Seg> owned(static_cast<Seg*>(copy));
    const auto a = segsOf(first), b = segsOf(owned.get());
    ASSERT_EQ(b.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NE(a[i], b[i]);
        EXPECT_EQ(std::memcmp(&a[i]->jump, &b[i]->jump, sizeof(Seg) - offsetof(Seg, jump)), 0);
    }
    EXPECT_TRUE(wellLinked(owned.get()));
    EXPECT_EQ(ringCount(first), 3);
}

TEST(Copy, VectIsDeepAndDropsActionTexts) {
    ChainOwner<Vect> v(polyline({{0, 0}, {1, 1}}));
    v.get()->text = duplicateText("ABC");
    v.get()->fontName = duplicateText("simsun");
    v.get()->beforeAction = duplicateText("OP(1,ON)");
    v.get()->afterAction = duplicateText("OP(1,OFF)");
    v.get()->flatSegs = copySegChain(v.get()->segs);
    v.get()->speed = 33;
    ChainOwner<Vect> copy(static_cast<Vect*>(VarnixCad3_CopyOne(v.get())));
    Vect* c = copy.get();
    EXPECT_EQ(c->next, c);
    EXPECT_STREQ(c->text, "ABC");
    EXPECT_NE(c->text, v.get()->text);
    EXPECT_STREQ(c->fontName, "simsun");
    EXPECT_EQ(c->beforeAction, nullptr);
    EXPECT_EQ(c->afterAction, nullptr);
    EXPECT_NE(c->segs, v.get()->segs);
    EXPECT_NE(c->flatSegs, nullptr);
    EXPECT_NE(c->flatSegs, v.get()->flatSegs);
    EXPECT_EQ(c->speed, 33);
}

TEST(Copy, GroupsImagesAndGraphs) {
    Graph* graph = newGraph();
    ChainOwner<Graph> own(graph);
    VectGroup* g1 = groupOf({polyline({{0, 0}, {1, 0}}), circle(5, 5, 1)}, 4);
    g1->colour = 0x123456;
    append(graph->groups, g1);
    append(graph->groups, groupOf({}, 9));
    Image* image = newImage();
    image->paletteCount = 2;
    image->palette = static_cast<uint8_t*>(std::malloc(8));
    std::memset(image->palette, 7, 8);
    image->pixelBytes = 3;
    image->pixels = static_cast<uint8_t*>(std::malloc(3));
    std::memset(image->pixels, 9, 3);
    image->width = 12;
    graph->images = image;

    ChainOwner<Graph> copy(static_cast<Graph*>(VarnixCad3_CopyOne(graph)));
    VectGroup* c1 = copy.get()->groups;
    EXPECT_EQ(ringCount(c1), 2);
    EXPECT_EQ(c1->number, 4);
    EXPECT_EQ(c1->colour, 0x123456u);
    EXPECT_EQ(ringCount(c1->vects), 2);
    EXPECT_EQ(c1->next->number, 9);
    EXPECT_EQ(c1->next->vects, nullptr);
    Image* ci = copy.get()->images;
    EXPECT_NE(ci->palette, image->palette);
    EXPECT_EQ(ci->palette[7], 7);
    EXPECT_EQ(ci->pixels[2], 9);
    EXPECT_EQ(ci->width, 12);

    // One group alone: its own vects, no neighbours.
    ChainOwner<VectGroup> one(static_cast<VectGroup*>(VarnixCad3_CopyOne(g1)));
    EXPECT_EQ(ringCount(one.get()), 1);
    EXPECT_EQ(ringCount(one.get()->vects), 2);
}

TEST(Copy, BadArgumentsWriteNothing) {
    void* copy = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(VarnixCad3_CopyChain(nullptr, &copy), 21000);
    EXPECT_EQ(copy, reinterpret_cast<void*>(0x1));
    ChainOwner<Seg> s(newSeg());
    s.get()->type = 6001;
    EXPECT_EQ(VarnixCad3_CopyChain(s.get(), &copy), 21000);
    EXPECT_EQ(copy, reinterpret_cast<void*>(0x1));
    EXPECT_EQ(VarnixCad3_CopyOne(s.get()), nullptr);
    EXPECT_EQ(VarnixCad3_CopyOne(nullptr), nullptr);
    EXPECT_EQ(VarnixCad3_DeleteChain(s.get()), 21000);
    EXPECT_EQ(VarnixCad3_ItemDelete(s.get()), 21000);
    EXPECT_EQ(VarnixCad3_ItemSeparate(s.get()), 21000);
    EXPECT_EQ(VarnixCad3_DeleteChain(nullptr), 21000);
    EXPECT_EQ(VarnixCad3_ItemDelete(nullptr), 21000);
    EXPECT_EQ(VarnixCad3_ItemSeparate(nullptr), 21000);
    s.get()->type = LINTREL_SEG;
}

TEST(Splice, InsertBeforeTheFirstAppends) {
    auto abc = chainOf({newVect(), newVect(), newVect()});
    ChainOwner<Vect> own(abc[0]);
    Vect* n = newVect();
    ASSERT_EQ(VarnixCad3_ItemInsertBefore(abc[0], n), 0);
    EXPECT_EQ(vectsOf(abc[0]), (std::vector<Vect*>{abc[0], abc[1], abc[2], n}));
    EXPECT_TRUE(wellLinked(abc[0]));
}

TEST(Splice, InsertAfterSplicesAWholeChainInOrder) {
    auto abc = chainOf({newVect(), newVect(), newVect()});
    auto x = chainOf({newVect(), newVect()});
    ChainOwner<Vect> own(abc[0]);
    ASSERT_EQ(VarnixCad3_ItemInsertAfter(abc[0], x[0]), 0);
    EXPECT_EQ(vectsOf(abc[0]), (std::vector<Vect*>{abc[0], x[0], x[1], abc[1], abc[2]}));
    EXPECT_TRUE(wellLinked(abc[0]));
}

TEST(Splice, MixedBaseTypesAndNullsChangeNothing) {
    auto abc = chainOf({newVect(), newVect()});
    ChainOwner<Vect> own(abc[0]);
    ChainOwner<Seg> seg(newSeg());
    EXPECT_EQ(VarnixCad3_ItemInsertBefore(abc[0], seg.get()), 21002);
    EXPECT_EQ(VarnixCad3_ItemInsertAfter(seg.get(), abc[0]), 21002);
    EXPECT_EQ(VarnixCad3_ItemInsertBefore(nullptr, seg.get()), 21000);
    EXPECT_EQ(VarnixCad3_ItemInsertAfter(abc[0], nullptr), 21000);
    EXPECT_EQ(ringCount(abc[0]), 2);
    EXPECT_EQ(seg.get()->next, seg.get());
}

TEST(Splice, SeparateAndDeleteOneUnlinkTheItem) {
    auto abc = chainOf({newVect(), newVect(), newVect()});
    ChainOwner<Vect> own(abc[0]);
    ASSERT_EQ(VarnixCad3_ItemSeparate(abc[1]), 0);
    EXPECT_EQ(vectsOf(abc[0]), (std::vector<Vect*>{abc[0], abc[2]}));
    EXPECT_EQ(abc[1]->next, abc[1]);
    EXPECT_EQ(abc[1]->prev, abc[1]);
    EXPECT_EQ(VarnixCad3_ItemGetListNum(abc[1]), 1);
    EXPECT_EQ(VarnixCad3_ItemDelete(abc[1]), 0);
    EXPECT_EQ(VarnixCad3_ItemDelete(abc[2]), 0);
    EXPECT_EQ(vectsOf(abc[0]), (std::vector<Vect*>{abc[0]}));
    EXPECT_EQ(VarnixCad3_ItemFindNext(abc[0]), abc[0]);
    EXPECT_EQ(VarnixCad3_ItemGetListNum(nullptr), 0);
}

TEST(Splice, DeleteChainFromAnyMemberFreesTheWholeRing) {
    // The sanitizer run proves nothing leaks and nothing is freed twice.
    auto abc = chainOf({polyline({{0, 0}, {1, 1}, {2, 0}}), circle(0, 0, 1), newVect()});
    abc[0]->beforeAction = VarnixCad3_SetStrT(nullptr, 4);
    std::strcpy(abc[0]->beforeAction, "abc");
    abc[1]->flatSegs = copySegChain(abc[0]->segs);
    EXPECT_EQ(VarnixCad3_DeleteChain(abc[1]), 0);
}

TEST(ActionTexts, SetReplacesAndDelReleases) {
    char* text = VarnixCad3_SetStrT(nullptr, 6);
    ASSERT_NE(text, nullptr);
    std::memcpy(text, "hello", 6);
    char* again = VarnixCad3_SetStrT(text, 10);
    ASSERT_NE(again, nullptr);
    std::memcpy(again, "123456789", 10);
    EXPECT_EQ(VarnixCad3_DelStrT(again), 0);
    EXPECT_EQ(VarnixCad3_DelStrT(nullptr), 0);
}
