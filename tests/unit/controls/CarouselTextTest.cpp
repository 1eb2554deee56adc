#include "controls/CarouselText.h"

#include <gtest/gtest.h>

namespace {

using namespace Controls;

TEST(CarouselText, BulletsAndMarkerMoveDownWithTheLineFeedsAboveThem) {
    struct Case {
        AnimatedWndTextItem item;
        TextPoint bullet2, bullet3;
        bool hasMarker;
        TextPoint marker;
    } cases[] = {
        {{u"T", {u"a", u"b", u"c", u""}}, {139, 353}, {139, 378}, false, {159, 398}},
        {{u"T", {u"a\nb\nc", u"d\ne", u"f\ng\nh\ni", u"x"}}, {139, 383}, {139, 423}, true, {159, 465}},
        {{u"T", {u"", u"", u"one\ntwo", u" "}}, {139, 353}, {139, 378}, true, {159, 405}},
    };
    for (const Case& c : cases) {
        const CarouselTextLayout layout = LayOutTextItem(c.item);
        EXPECT_EQ(layout.bullets[0], (TextPoint{139, 327}));
        EXPECT_EQ(layout.bullets[1], c.bullet2);
        EXPECT_EQ(layout.bullets[2], c.bullet3);
        EXPECT_EQ(layout.hasMarker, c.hasMarker);
        if (c.hasMarker) {
            EXPECT_EQ(layout.marker, c.marker);
        }
        EXPECT_EQ(layout.title, (TextPoint{134, 290}));
        EXPECT_EQ(layout.lines[3], (TextPoint{170, 398}));
    }
}

}  // namespace
