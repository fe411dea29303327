// Where a guide window's parts lie on a copy of the screen, for the fit's mask.
#include "overlay/fit/GuideAreas.h"

#include <gtest/gtest.h>

#include <optional>

#include "settings/AppSettings.h"

namespace lumetra::test {
namespace {

TEST(GuideAreas, FollowTheWindowItsBorderAndItsStrip) {
    struct Case {
        const char* name;
        std::int32_t border;
        bool mark;  // the orientation mark in the strip
        Point at;
        int width, height;  // of the window's picture on the screen
        Rect measured;
        std::optional<Rect> strip;
        Rect belowStrip;
    };
    // The measured area is 400 x 300 in every row.
    const Case cases[] = {
        {"border and mark",
         12,
         true,
         {10, 20},
         424,
         340,
         {22, 48, 422, 348},
         Rect{370, 20, 434, 36},
         {10, 36, 434, 360}},
        {"no border, no mark", 0, false, {0, 0}, 400, 316, {0, 16, 400, 316}, std::nullopt, {0, 16, 400, 316}},
        {"off the copy's top-left",
         5,
         true,
         {-50, -30},
         410,
         326,
         {-45, -9, 355, 291},
         Rect{296, -30, 360, -14},
         {-50, -14, 360, 296}},
        // The strip's end follows the picture, the measured area the settings.
        {"picture cut short", 12, true, {0, 0}, 300, 200, {12, 28, 412, 328}, Rect{236, 0, 300, 16}, {0, 16, 300, 200}},
        {"no more than the strip",
         0,
         true,
         {5, 5},
         200,
         10,
         {5, 21, 405, 321},
         Rect{141, 5, 205, 21},
         {5, 21, 205, 21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSettings settings(1280);
        settings.SetLock(false);
        settings.SetWidth(400);
        settings.SetHeight(300);
        settings.SetBorder(c.border);
        settings.SetSFrame(c.mark);
        const GuideWindowAreas areas = GuideAreasAt(settings, c.at, c.width, c.height);
        EXPECT_EQ(areas.measured, c.measured);
        EXPECT_EQ(areas.strip, c.strip);
        EXPECT_EQ(areas.belowStrip, c.belowStrip);
    }
}

}  // namespace
}  // namespace lumetra::test
