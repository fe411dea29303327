// FollowPicture: each guide's own, written after every other key and only
// once it has been switched on, so older files stay byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "settings/AppSettings.h"

namespace lumetra::test {
namespace {

TEST(FollowPictureKey, FilesWithoutItStayAsTheyWere) {
    const std::string files[] = {
        "",
        "[Settings]\r\nWidth=500\r\nClickThrough=1\r\nSaveFolder=C:\\x\r\n",
        "; mine\r\n[Settings]\r\nLookMode=3\r\n[Guide2]\r\nBorder=4\r\n[Other]\r\nA=1\r\n",
    };
    for (const std::string& file : files) {
        TSettings s(1920);
        s.LoadFromText(file, '.');
        const std::string saved = s.SaveToText(file, '.');
        TSettings again(1920);
        again.LoadFromText(saved, '.');
        EXPECT_EQ(again.SaveToText(saved, '.'), saved);
        EXPECT_EQ(saved.find("FollowPicture"), std::string::npos) << file;
        EXPECT_FALSE(again.FollowPicture());
    }
}

struct ReadCase {
    const char* text;
    bool on;
};

TEST(FollowPictureKey, ReadsEachGuidesOwnAndWritesItLast) {
    const ReadCase cases[] = {{"1", true}, {"0", false}, {"yes", false}, {"", false}, {"2", true}};
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string file =
            std::string("[Settings]\r\nFollowPicture=") + c.text + "\r\n[Guide2]\r\nFollowPicture=" + c.text + "\r\n";
        TSettings first(1920);
        first.LoadFromText(file, '.');
        TSettings second(1920);
        second.LoadGuideFromText(file, "Guide2", '.');
        EXPECT_EQ(first.FollowPicture(), c.on);
        EXPECT_EQ(second.FollowPicture(), c.on);
    }
    TSettings s(1920);
    s.SetFollowPicture(true);
    const std::string text = s.SaveToText("", '.');
    EXPECT_EQ(text.substr(text.size() - 17), "FollowPicture=1\r\n") << text;
    const std::string guide = s.SaveGuideToText("", "Guide2", '.');
    EXPECT_EQ(guide.substr(guide.size() - 17), "FollowPicture=1\r\n") << guide;
    // Switched off again, a file that has the key keeps it.
    s.SetFollowPicture(false);
    EXPECT_NE(s.SaveToText(text, '.').find("FollowPicture=0\r\n"), std::string::npos);
}

struct ChangeCase {
    const char* name;
    void (*setup)(TSettings&);
    void (*change)(TSettings&);
    bool follows;  // afterwards
};

void Locked(TSettings&) {}
void Unlocked(TSettings& s) { s.SetLock(false); }
void HeightLeads(TSettings& s) { s.SetLockWidth(false); }
// Locked on a size the ratio does not give.
void LockedOffRatio(TSettings& s) {
    s.SetLock(false);
    s.SetHeight(400);
    s.SetLock(true);
}

// Following ends with any change the user makes to size, ratio or lock;
// a placement, the follower's own move, and a change to nothing keep it.
TEST(FollowPictureKey, EndsWithTheUsersChangeToSizeRatioOrLock) {
    const ChangeCase cases[] = {
        {"width", Locked, [](TSettings& s) { s.SetWidth(500); }, false},
        {"height, unlocked", Unlocked, [](TSettings& s) { s.SetHeight(300); }, false},
        {"ratio", Locked, [](TSettings& s) { s.SetRatio(0.5); }, false},
        {"lock off", Locked, [](TSettings& s) { s.SetLock(false); }, false},
        {"the lock applied to a new size", LockedOffRatio, [](TSettings& s) { s.ApplyLock(); }, false},
        {"the same width again", Locked, [](TSettings& s) { s.SetWidth(s.Width()); }, true},
        {"a width the leading height ignores", HeightLeads, [](TSettings& s) { s.SetWidth(700); }, true},
        {"a placement", Locked,
         [](TSettings& s) {
             s.SetPlacement({{10, 10}, 640, 427, 427.0 / 640.0, true});
         },
         true},
        {"the look", Locked, [](TSettings& s) { s.SetLookMode(3); }, true},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TSettings s(1920);
        c.setup(s);
        s.SetFollowPicture(true);
        c.change(s);
        EXPECT_EQ(s.FollowPicture(), c.follows);
    }
}

TEST(FollowPictureKey, RestoreDefaultsSwitchesItOff) {
    TSettings s(1920);
    s.SetFollowPicture(true);
    s.RestoreDefaults();
    EXPECT_FALSE(s.FollowPicture());
}

}  // namespace
}  // namespace lumetra::test
