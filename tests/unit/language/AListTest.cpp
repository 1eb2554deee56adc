#include <gtest/gtest.h>

#include "language/AList.h"

namespace {

TEST(AList, GrowsByItsStepOrDoubles) {
    struct Case {
        bool doubling;
        std::vector<int> capacities;  // after 1, 17, 33, 49 and 65 items
    };
    for (const Case& c : {Case{false, {16, 32, 48, 64, 80}}, Case{true, {16, 32, 64, 64, 128}}}) {
        AList<int> list(16, 16, c.doubling);
        std::vector<int> values(65);
        std::vector<int> capacities;
        for (int i = 0; i < 65; ++i) {
            values[i] = i;
            list.Add(&values[i]);
            if (i % 16 == 0) capacities.push_back(list.Capacity());
        }
        EXPECT_EQ(capacities, c.capacities) << "doubling " << c.doubling;
        ASSERT_EQ(list.Count(), 65);
        // Growing keeps every pointer in order (and frees none: the values live on the stack).
        for (int i = 0; i < 65; ++i) EXPECT_EQ(list[i], &values[i]);
    }
}

TEST(AList, IndexOutsideTheItemsRaises) {
    AList<int> list;
    int value = 7;
    EXPECT_THROW(list[0], AList<int>::AList_Exception);
    list.Add(&value);
    EXPECT_EQ(*list[0], 7);
    for (int index : {-1, 1, 16}) {
        try {
            list[index];
            ADD_FAILURE() << index;
        } catch (const AList<int>::AList_Exception& error) {
            EXPECT_EQ(error.Index(), index);
        }
    }
}

TEST(AList, DegenerateSizesStillGrow) {
    AList<int> list(0, 0, true);
    int values[3] = {};
    for (int& value : values) list.Add(&value);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[2], &values[2]);
}

}  // namespace
