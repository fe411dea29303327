#pragma once
// The windows of the guides: one overlay per guide of the set, the first the
// owner of the others and of the settings panel. Keeps the set and the
// windows in step as guides come and go, and binds the panel to the guide
// the user used last.
#include <memory>
#include <vector>

#include "app/CommandActions.h"
#include "app/GuideKeeper.h"
#include "settings/HotKeyStatus.h"
#include "app/win32/ProgramShell.h"
#include "overlay/win32/FollowTicker.h"
#include "overlay/win32/GuideHost.h"
#include "overlay/win32/MainFrm.h"

namespace lumetra {

class LangTable;
struct LookLibrary;
class SettingsSaver;
class TGuideSet;
class TSettingsForm;

class TGuideWindows final : public IGuideHost, public ICommandTarget, public IHotKeyStatus, private IGuideWindowList {
public:
    // One window for every guide of the set, the first one first.
    // looks: the guide files of this run, for every window.
    TGuideWindows(HINSTANCE instance, TGuideSet& guides, const LookLibrary& looks, const LangTable& lang,
                  ILinks& links, SettingsSaver& saver);
    ~TGuideWindows() override;
    TGuideWindows(const TGuideWindows&) = delete;
    TGuideWindows& operator=(const TGuideWindows&) = delete;

    TMainForm& First() const { return *forms_.front(); }
    // Once the common controls are loaded.
    void CreateHints();
    // The panel exists: every guide knows it, and it edits the current guide.
    void AttachPanel(TSettingsForm& panel);
    // Before the panel goes.
    void DetachPanel();

    void GuideActivated(TMainForm& guide) override;
    void NewGuide(TMainForm& from) override;
    void CloseGuide(TMainForm& guide) override;
    void EndProgram() override;
    void SessionEnding(bool exit) override;
    void MinimizeAll() override;
    void DisplaysChanged() override;
    void MarkGuides(IgnoreMask& mask, Point origin) const override;
    void OptionsChanged() override;

    // The icon and the hot keys act on the guides while the shell lives.
    void AttachShell(TProgramShell* shell);
    // The Run value the icon's menu shows and switches; null: none.
    void AttachStartWithWindows(IStartWithWindows* startWithWindows) { startWithWindows_ = startWithWindows; }
    ProgramState State() const override;
    void Run(ProgramCommand command) override;
    bool SaveComposition(const std::string& path) override;
    // A command of the command line, on the guide used last.
    CommandProblem CarryOutCommand(const LineCommand& command);
    void ChooseUnits(std::int32_t units) override;
    // Nothing is taken while no shell holds the hot keys.
    bool HotKeyTaken(HotKeyCommand command) const override;
    void StandAside(bool aside) override;

private:
    std::unique_ptr<TMainForm> CreateForm(TSettings& settings);
    int IndexOf(const TMainForm& form) const;
    void BindPanel();
    void OpenLast() override;
    void StoreAll() override;
    void CloseLast() override;
    void Reapply(int index) override;
    void CurrentChanged() override { BindPanel(); }
    void SetShown(bool shown);
    // Back from the task bar and from hiding, the panel in front.
    void Present();

    HINSTANCE instance_;
    TGuideSet& guides_;
    GuideKeeper keeper_{guides_, *this};
    const LookLibrary& looks_;
    const LangTable& lang_;
    ILinks& links_;
    SettingsSaver& saver_;
    TSettingsForm* panel_ = nullptr;
    TProgramShell* shell_ = nullptr;
    IStartWithWindows* startWithWindows_ = nullptr;
    bool shown_ = true;                              // the show-or-hide command has not hidden the guides
    TFollowTicker ticker_{instance_};                // every guide's following; outlives them
    std::vector<std::unique_ptr<TMainForm>> forms_;  // forms_[i] shows guide i
    // A closed window whose handler may still be running: kept until the
    // next guide is opened or closed.
    std::vector<std::unique_ptr<TMainForm>> retired_;
    bool ending_ = false;
};

}  // namespace lumetra
