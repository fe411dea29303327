#include "app/Startup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/FakeShell.h"
#include "app/Guides.h"
#include "Version.h"
#include "app/WebQuery.h"
#include "common/SessionEnd.h"
#include "lang/LangTable.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {
namespace {

using Events = std::vector<std::string>;

constexpr const char* kFolder = "C:\\Tools\\Lumetra\\";
const std::string kSettingsPath = std::string(kFolder) + "Lumetra.user.settings";
const std::string kUninstallUrl =
    std::string("https://www.velmora.com/we/service/uninstall/?prd=lmt&v=") + kProgramVersion + "&d=30";

// Passes file reads and writes on to the in-memory files and logs them into
// the same list as the platform's boxes, so the order of all steps shows.
class LoggingFiles final : public IPlatformFiles {
public:
    LoggingFiles(FakePlatformFiles& files, Events& events) : files_(files), events_(events) {}

    std::string ModuleFileName() const override { return files_.ModuleFileName(); }
    std::string SpecialFolderPath(SpecialFolder folder) const override { return files_.SpecialFolderPath(folder); }
    std::string UpperCase(std::string_view text) const override { return files_.UpperCase(text); }
    bool FolderExists(const std::string& path) const override { return files_.FolderExists(path); }
    bool CreateFolder(const std::string& path) override { return files_.CreateFolder(path); }
    bool FileExists(const std::string& path) const override { return files_.FileExists(path); }
    std::unique_ptr<IByteReader> OpenForReading(const std::string& path) const override {
        events_.push_back("open " + path);
        return files_.OpenForReading(path);
    }
    std::optional<std::string> ReadWholeFile(const std::string& path) const override {
        events_.push_back("read " + path);
        return files_.ReadWholeFile(path);
    }
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension,
                                       std::size_t limit) const override {
        return files_.ListFiles(folder, extension, limit);
    }
    bool ReplaceFileContents(const std::string& path, std::string_view contents) override {
        events_.push_back("write " + path);
        return files_.ReplaceFileContents(path, contents);
    }
    char DecimalSeparator() const override { return files_.DecimalSeparator(); }
    std::string ToCodePage(std::u16string_view text) const override { return files_.ToCodePage(text); }
    unsigned SystemCodePage() const override { return files_.SystemCodePage(); }
    std::optional<LeadBytes> CodePageLeadBytes(unsigned codePage) const override {
        return files_.CodePageLeadBytes(codePage);
    }
    std::u16string DecodeCodePage(unsigned codePage, std::string_view bytes) const override {
        return files_.DecodeCodePage(codePage, bytes);
    }

private:
    FakePlatformFiles& files_;
    Events& events_;
};

class FakeStartupPlatform final : public IStartupPlatform, IInstallClock {
public:
    explicit FakeStartupPlatform(Events& events) : events_(events) {}

    int bitsPerPixel = 32;
    std::vector<std::string> arguments;
    FakeShell shell;

    std::int32_t PrimaryScreenWidth() const override { return 1280; }
    int ScreenBitsPerPixel() const override { return bitsPerPixel; }
    std::vector<std::string> Arguments() const override { return arguments; }
    void ShowWarning(const std::string& text, const std::string& caption) override {
        events_.push_back("warning " + text + " / " + caption);
    }
    void ShowError(const std::string& text) override { events_.push_back("error " + text); }
    IShell& Shell() override { return shell; }
    const IInstallClock& InstallClock() const override { return *this; }
    void RememberUnsaved(const std::string& path) override {
        events_.push_back("remember unsaved " + path);
        unsaved.push_back(path);
    }
    bool TakeUnsaved(const std::string& path) override {
        const auto found = std::find(unsaved.begin(), unsaved.end(), path);
        if (found == unsaved.end()) return false;
        unsaved.erase(found);
        return true;
    }

    std::vector<std::string> unsaved;  // files whose save failed as a session ended

private:
    Ticks Now() const override { return 500 * kTicksPerDay + 1; }
    Ticks InstalledAt() const override { return 470 * kTicksPerDay; }

    Events& events_;
};

struct StartupFixture {
    Events events;
    FakePlatformFiles files;
    LoggingFiles loggingFiles{files, events};
    SettingsFile settingsFile{loggingFiles};
    FakeStartupPlatform platform{events};
    LangTable lang;
    std::unique_ptr<TSettings> settings;

    explicit StartupFixture(const std::string& langSetting = "English") {
        files.files[kSettingsPath] = "[Settings]\r\nLang=" + langSetting + "\r\n";
        files.files[std::string(kFolder) + "English.lng"] = "MSOk=OK\r\nMSCancel=Cancel\r\n";
        files.files[std::string(kFolder) + "Deutsch.lng"] = "MSCancel=Abbrechen\r\n";
        files.files[std::string(kFolder) + "english.lng"] = "MSOk=ok\r\n";
    }

    bool Start() { return RunStartup(platform, settingsFile, lang, settings); }
};

TEST(StartupTest, LoadsSettingsThenEnglishThenTheChosenLanguage) {
    const std::string english = "open " + std::string(kFolder) + "English.lng";
    const struct {
        const char* lang;
        Events events;
        const char* ok;
        const char* cancel;
    } cases[] = {
        {"English", {"read " + kSettingsPath, english}, "OK", "Cancel"},
        {"Deutsch",
         {"read " + kSettingsPath, english, "open " + std::string(kFolder) + "Deutsch.lng"},
         "OK",
         "Abbrechen"},
        // Differing only in letter case still counts as another language.
        {"english", {"read " + kSettingsPath, english, "open " + std::string(kFolder) + "english.lng"}, "ok", "Cancel"},
    };
    for (const auto& c : cases) {
        StartupFixture fixture(c.lang);
        EXPECT_TRUE(fixture.Start()) << c.lang;
        ASSERT_TRUE(fixture.settings) << c.lang;
        EXPECT_EQ(fixture.settings->Lang(), c.lang);
        EXPECT_EQ(fixture.events, c.events) << c.lang;
        EXPECT_EQ(fixture.lang.Text("MSOk"), c.ok) << c.lang;
        EXPECT_EQ(fixture.lang.Text("MSCancel"), c.cancel) << c.lang;
    }
}

TEST(StartupTest, OnlyAnExactFirstUninstallArgumentEndsTheStart) {
    const struct {
        std::vector<std::string> arguments;
        bool uninstall;
    } cases[] = {
        {{}, false},
        {{"/uninstall"}, true},
        {{"/uninstall", "extra"}, true},
        {{"/Uninstall"}, false},
        {{"/UNINSTALL"}, false},
        {{"/uninstall "}, false},
        {{" /uninstall"}, false},
        {{"uninstall"}, false},
        {{""}, false},
        {{"-x", "/uninstall"}, false},
    };
    for (const auto& c : cases) {
        StartupFixture fixture;
        fixture.platform.arguments = c.arguments;
        fixture.platform.bitsPerPixel = 16;
        const bool windows = fixture.Start();
        const std::string label = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(windows, !c.uninstall) << label;
        if (c.uninstall) {
            EXPECT_EQ(fixture.platform.shell.opened, std::vector<std::string>{kUninstallUrl});
            // No warning and nothing written on this path.
            EXPECT_EQ(fixture.events.size(), 2u) << label;
        } else {
            EXPECT_TRUE(fixture.platform.shell.opened.empty()) << label;
            EXPECT_EQ(fixture.events.back(), "warning True color screen mode is required / Velmora Lumetra") << label;
        }
        EXPECT_TRUE(fixture.platform.shell.commandLines.empty()) << label;
    }
}

// A copy installed over a portable one (the installer's marker beside it)
// takes that copy's settings before it reads them, except on the uninstall
// path, which writes nothing.
TEST(StartupTest, AnInstalledCopyTakesOverTheSettingsBesideItBeforeReadingThem) {
    const std::string own = "C:\\Users\\u\\AppData\\Roaming\\Velmora\\Lumetra\\Lumetra.user.settings";
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        Events events;
        const char* lang;
    } cases[] = {
        {"a start", {}, {"read " + kSettingsPath, "write " + own, "read " + own}, "Deutsch"},
        // Needs no settings: the page's address holds none.
        {"the uninstall page", {kUninstallArgument}, {}, "English"},
    };
    for (const auto& c : cases) {
        StartupFixture fixture("Deutsch");
        fixture.files.specialFolders[SpecialFolder::AppData] = "C:\\Users\\u\\AppData\\Roaming";
        fixture.files.files[std::string(kFolder) + kInstalledMarkerName] = "";
        fixture.files.files.erase(std::string(kFolder) + "English.lng");  // only the reads of settings are looked at
        fixture.files.files.erase(std::string(kFolder) + "Deutsch.lng");
        fixture.platform.arguments = c.arguments;
        fixture.Start();
        Events settingsEvents;
        for (const std::string& event : fixture.events)
            if (event.find(".settings") != std::string::npos) settingsEvents.push_back(event);
        EXPECT_EQ(settingsEvents, c.events) << c.name;
        EXPECT_EQ(fixture.settings->Lang(), c.lang) << c.name;
        EXPECT_EQ(fixture.files.files.count(kSettingsPath), 1u) << c.name << ": the original stays";
    }
}

TEST(StartupTest, WarnsOnceBelowTrueColourAfterTheTextsAreLoaded) {
    const struct {
        int bits;
        bool warning;
    } cases[] = {{1, true}, {8, true}, {16, true}, {23, true}, {24, false}, {32, false}};
    for (const auto& c : cases) {
        StartupFixture fixture;
        fixture.platform.bitsPerPixel = c.bits;
        EXPECT_TRUE(fixture.Start()) << c.bits;
        Events expected = {"read " + kSettingsPath, "open " + std::string(kFolder) + "English.lng"};
        if (c.warning) expected.push_back("warning True color screen mode is required / Velmora Lumetra");
        EXPECT_EQ(fixture.events, expected) << c.bits;
    }
}

TEST(StartupTest, ShutdownSavesOnceReportsAFailedWriteAndFreesTheGuides) {
    const Events saved = {"read " + kSettingsPath, "write " + kSettingsPath};
    const Events failed = {"read " + kSettingsPath, "write " + kSettingsPath,
                           "error Unable to write to " + kSettingsPath};
    // No box may hold up the end of the session: the next start tells.
    const Events failedAtSessionEnd = {"read " + kSettingsPath, "write " + kSettingsPath,
                                       "remember unsaved " + kSettingsPath};
    const struct {
        const char* name;
        bool failWrite;
        bool sessionEnded;  // saved once already when the Windows session ended
        Events atSessionEnd;
        Events atShutdown;
    } cases[] = {
        {"loop ends", false, false, {}, saved},
        {"write fails", true, false, {}, failed},
        {"session ends", false, true, saved, {}},
        {"write fails at session end", true, true, failedAtSessionEnd, {}},
    };
    for (const auto& c : cases) {
        for (const int count : {1, 2}) {
            SCOPED_TRACE(std::string(c.name) + ", guides: " + std::to_string(count));
            StartupFixture fixture;
            ASSERT_TRUE(fixture.Start());
            auto guides = std::make_unique<TGuideSet>(std::move(fixture.settings));
            SettingsSaver saver(fixture.platform, fixture.settingsFile);
            guides->Guide(0).StoreOverlayPosition(123, 45);
            if (count == 2) guides->Add()->StoreOverlayPosition(678, 90);
            fixture.files.failReplace = c.failWrite;
            fixture.events.clear();
            if (c.sessionEnded) saver.SaveAtSessionEnd(*guides);
            EXPECT_EQ(fixture.events, c.atSessionEnd);
            fixture.events.clear();
            RunShutdown(saver, guides);
            EXPECT_EQ(fixture.events, c.atShutdown);
            EXPECT_FALSE(guides);
            const std::string& written = fixture.files.files[kSettingsPath];
            EXPECT_EQ(written.find("X=123") != std::string::npos, !c.failWrite) << written;
            EXPECT_EQ(written.find("[Guide2]") != std::string::npos && written.find("X=678") != std::string::npos,
                      !c.failWrite && count == 2)
                << written;
        }
    }
}

TEST(StartupTest, ASaveLostAtTheEndOfTheSessionIsToldOnceAtTheNextStartOfThatFile) {
    const std::string otherCopy = "D:\\Portable\\Lumetra.user.settings";
    const struct {
        const char* name;
        std::vector<std::string> unsaved;
        Events told;
        std::vector<std::string> left;
    } cases[] = {
        {"nothing lost", {}, {}, {}},
        {"this file lost", {kSettingsPath}, {"warning texts " + kSettingsPath + " / Velmora Lumetra"}, {}},
        {"another copy's file lost: kept for that copy", {otherCopy}, {}, {otherCopy}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartupFixture fixture;
        fixture.files.files[std::string(kFolder) + "English.lng"] = "MSessionUnsaved=texts %s\r\n";
        ASSERT_TRUE(fixture.Start());
        fixture.platform.unsaved = c.unsaved;
        fixture.events.clear();
        ReportUnsavedSession(fixture.platform, fixture.settingsFile, fixture.lang);
        EXPECT_EQ(fixture.events, c.told);
        EXPECT_EQ(fixture.platform.unsaved, c.left);
        fixture.events.clear();
        ReportUnsavedSession(fixture.platform, fixture.settingsFile, fixture.lang);
        EXPECT_EQ(fixture.events, Events{}) << "told twice";
    }
}

// The flags come as WM_ENDSESSION's lParam, a bit mask.
TEST(SessionEnd, RestartManagerEndsTheProgramTheSessionEndLeavesItToWindows) {
    const struct {
        const char* name;
        bool ending;
        std::uint32_t flags;
        SessionEnd end;
    } cases[] = {
        {"shut-down or restart", true, 0, SessionEnd::SaveForTheSystem},
        {"log-off", true, kEndSessionLogOff, SessionEnd::SaveForTheSystem},
        {"forced log-off", true, kEndSessionLogOff | kEndSessionCritical, SessionEnd::SaveForTheSystem},
        {"Restart Manager closes the program", true, kEndSessionCloseApp, SessionEnd::SaveAndExit},
        {"Restart Manager, forced", true, kEndSessionCloseApp | kEndSessionCritical, SessionEnd::SaveAndExit},
        {"called off", false, kEndSessionLogOff, SessionEnd::Cancelled},
        {"Restart Manager called off", false, kEndSessionCloseApp, SessionEnd::Cancelled},
    };
    for (const auto& c : cases) EXPECT_EQ(SessionEndOf(c.ending, c.flags), c.end) << c.name;
}

}  // namespace
}  // namespace lumetra::test
