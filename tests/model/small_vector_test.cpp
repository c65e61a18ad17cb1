#include "model/small_vector.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(SmallVector, KeepsTwoValuesInlineAndMovesToHeapBeyond) {
    SmallVector<float, 2> v{1.0f, 2.0f};
    EXPECT_FALSE(v.onHeap());
    v.push_back(3.0f);
    EXPECT_TRUE(v.onHeap());
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[2], 3.0f);
}

TEST(SmallVector, CopiesAndMovesKeepValuesIndependent) {
    SmallVector<float, 2> heap{1, 2, 3, 4};
    SmallVector<float, 2> copy = heap;
    copy[0] = 9;
    EXPECT_EQ(heap[0], 1);
    SmallVector<float, 2> moved = std::move(copy);
    EXPECT_EQ(moved.size(), 4u);
    EXPECT_EQ(moved[0], 9);
    SmallVector<float, 2> small{5};
    small = heap;  // inline target grows to hold a heap-sized source
    EXPECT_EQ(small, heap);
    heap = SmallVector<float, 2>{7};
    EXPECT_FALSE(heap.onHeap());
    EXPECT_EQ(heap.size(), 1u);
    EXPECT_EQ(heap[0], 7);
}

TEST(SmallVector, EraseAndResize) {
    SmallVector<float, 2> v{1, 2, 3};
    v.erase(1);
    EXPECT_EQ(v, (SmallVector<float, 2>{1, 3}));
    v.resize(4);
    EXPECT_EQ(v, (SmallVector<float, 2>{1, 3, 0, 0}));
    v.resize(1);
    EXPECT_EQ(v, (SmallVector<float, 2>{1}));
}

}  // namespace
}  // namespace tess
