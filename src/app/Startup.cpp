#include "app/Startup.h"

#include "Version.h"  // generated in the build from cmake/Version.h.in
#include "app/Guides.h"
#include "app/ProgramLinks.h"
#include "lang/Format.h"
#include "lang/LangTable.h"
#include "lang/Texts.h"
#include "overlay/compose/LookCatalogue.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"

namespace lumetra {

namespace {

constexpr int kTrueColorBits = 24;

}  // namespace

bool StartedForRestart(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front() == kRestartArgument;
}

bool RunStartup(IStartupPlatform& platform, SettingsFile& files, LangTable& lang,
                std::unique_ptr<TSettings>& settings) {
    const std::vector<std::string> arguments = platform.Arguments();
    // Only the first argument counts, and only in exactly this spelling.
    const bool uninstall = !arguments.empty() && arguments.front() == kUninstallArgument;

    settings = std::make_unique<TSettings>(platform.PrimaryScreenWidth());
    // The uninstall page writes nothing.
    if (!uninstall) AdoptSettingsBesideProgram(files);
    settings->Load(files);

    LoadProgramLanguage(lang, files, settings->Lang());

    if (uninstall) {
        ProgramLinks(platform.Shell(), platform.InstallClock()).OpenWebPage(WebPage::Uninstall);
        return false;
    }

    if (platform.ScreenBitsPerPixel() < kTrueColorBits)
        platform.ShowWarning("True color screen mode is required", kProgramTitle);
    return true;
}

OfferedLooks OfferLookFiles(TGuideSet& guides, const SettingsFile& files, const LangTable& lang) {
    OfferedLooks offered{LoadLookLibrary(files, kProductSubPath, kProductSubPath), {}};
    const std::vector<std::string> names = LookFileNames(offered.library);
    for (int i = 0; i < guides.Count(); ++i) guides.Guide(i).SetUserLooks(names);
    std::string skipped;
    for (const SkippedLookFile& file : offered.library.skipped) {
        if (!skipped.empty()) skipped += ", ";
        skipped += file.fileName;
    }
    if (!skipped.empty()) offered.notice = FormatTemplate(lang.Text(texts::MGuideSkipped), {skipped});
    return offered;
}

void SettingsSaver::SaveOnce(const TGuideSet& guides) {
    if (saved_) return;
    saved_ = true;
    // Our own fixed text: the path is appended, not formatted.
    if (!guides.Save(files_)) platform_.ShowError("Unable to write to " + files_.SettingsFilePath());
}

void SettingsSaver::SaveAtSessionEnd(const TGuideSet& guides) {
    if (saved_) return;
    saved_ = true;
    if (!guides.Save(files_)) platform_.RememberUnsaved(files_.SettingsFilePath());
}

void ReportUnsavedSession(IStartupPlatform& platform, const SettingsFile& files, const LangTable& lang) {
    const std::string path = files.SettingsFilePath();
    if (platform.TakeUnsaved(path))
        platform.ShowWarning(FormatTemplate(lang.Text(texts::MSessionUnsaved), {path}), kProgramTitle);
}

void RunShutdown(SettingsSaver& saver, std::unique_ptr<TGuideSet>& guides) {
    if (!guides) return;
    saver.SaveOnce(*guides);
    guides.reset();
}

}  // namespace lumetra
