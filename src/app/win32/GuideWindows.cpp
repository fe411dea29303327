#include "app/win32/GuideWindows.h"

#include <optional>
#include <vector>

#include "app/Guides.h"
#include "app/Startup.h"
#include "common/WindowPlace.h"
#include "lang/Texts.h"
#include "win32/WindowDpi.h"
#include "lang/Format.h"
#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "panel/PanelCaption.h"
#include "panel/win32/SettingsFrm.h"

namespace lumetra {
namespace {

// Where a new guide may go: the work area of the monitor its first guide is on.
Rect WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC /*dc*/, LPRECT /*bounds*/, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<Rect>*>(areas)->push_back(
            {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
    }
    return TRUE;
}

// The work areas of every monitor there is now.
std::vector<Rect> WorkAreas() {
    std::vector<Rect> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

Rect WindowBounds(HWND window) {
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    return {bounds.left, bounds.top, bounds.right, bounds.bottom};
}

}  // namespace

TGuideWindows::TGuideWindows(HINSTANCE instance, TGuideSet& guides, const LookLibrary& looks, const LangTable& lang,
                             ILinks& links, SettingsSaver& saver)
    : instance_(instance), guides_(guides), looks_(looks), lang_(lang), links_(links), saver_(saver) {
    for (int i = 0; i < guides_.Count(); ++i) forms_.push_back(CreateForm(guides_.Guide(i)));
}

// The owned guides go before their owner, which would take them along.
TGuideWindows::~TGuideWindows() {
    while (!forms_.empty()) forms_.pop_back();
}

std::unique_ptr<TMainForm> TGuideWindows::CreateForm(TSettings& settings) {
    const HWND owner = forms_.empty() ? nullptr : forms_.front()->Handle();
    auto form = std::make_unique<TMainForm>(instance_, settings, looks_, lang_, links_, this, owner, &ticker_);
    if (panel_ != nullptr) form->SetPanel(panel_);
    return form;
}

void TGuideWindows::CreateHints() {
    for (const auto& form : forms_) form->CreateHint();
}

void TGuideWindows::AttachPanel(TSettingsForm& panel) {
    panel_ = &panel;
    for (const auto& form : forms_) form->SetPanel(&panel);
    panel.AttachHotKeys(this);
    BindPanel();
}

void TGuideWindows::DetachPanel() {
    panel_ = nullptr;
    for (const auto& form : forms_) form->SetPanel(nullptr);
}

int TGuideWindows::IndexOf(const TMainForm& form) const {
    for (std::size_t i = 0; i < forms_.size(); ++i) {
        if (forms_[i].get() == &form) return static_cast<int>(i);
    }
    return -1;  // a window still being made, or one already closed
}

void TGuideWindows::BindPanel() {
    if (panel_ == nullptr) return;
    const int current = guides_.Current();
    panel_->BindGuide(guides_.Guide(current), *forms_[static_cast<std::size_t>(current)], current + 1, guides_.Count());
}

void TGuideWindows::GuideActivated(TMainForm& guide) { keeper_.Activate(IndexOf(guide)); }

void TGuideWindows::NewGuide(TMainForm& from) {
    retired_.clear();     // their handlers have long returned
    if (!shown_) return;  // unavailable while hidden, as in the icon's menu
    const Point at = from.Position();
    const Point place =
        NewGuidePlace({at.x, at.y, at.x + from.FormWidth(), at.y + from.FormHeight()}, WorkAreaOf(from.Handle()));
    if (!keeper_.Add(place)) {
        from.ShowNotice(FormatTemplate(lang_.Text(texts::MGuideLimit), {std::int64_t{kMaxGuides}}));
    }
}

void TGuideWindows::OpenLast() {
    std::unique_ptr<TMainForm> form = CreateForm(guides_.Guide(guides_.Count() - 1));
    form->CreateHint();
    forms_.push_back(std::move(form));
}

void TGuideWindows::CloseGuide(TMainForm& guide) {
    retired_.clear();  // this one may be about to retire, but none before it is still running
    if (keeper_.Close(IndexOf(guide)) == GuideKeeper::Closed::Guide && shell_ != nullptr) {
        shell_->ShowState();  // the closed guide may have been the one letting clicks through
    }
}

void TGuideWindows::CloseLast() {
    // The panel must not be left on the last guide's settings.
    if (panel_ != nullptr) panel_->BindGuide(guides_.Guide(0), *forms_.front(), 1, guides_.Count());
    forms_.back()->Release();
    retired_.push_back(std::move(forms_.back()));
    forms_.pop_back();
}

void TGuideWindows::Reapply(int index) { forms_[static_cast<std::size_t>(index)]->Reapply(); }

void TGuideWindows::StoreAll() {
    for (const auto& form : forms_) form->StoreWindowState();
}

void TGuideWindows::EndProgram() {
    if (ending_) return;  // a close request reaches every window
    ending_ = true;
    StoreAll();
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) (*it)->Release();
    ::PostQuitMessage(0);
}

void TGuideWindows::SessionEnding(bool exit) {
    StoreAll();
    saver_.SaveAtSessionEnd(guides_);
    // Saved already: the shutdown after the loop writes nothing more.
    if (exit) EndProgram();
}

void TGuideWindows::MinimizeAll() { ::ShowWindow(forms_.front()->Handle(), SW_MINIMIZE); }

// Minimised or hidden guides are looked at when they come back.
void TGuideWindows::DisplaysChanged() {
    const std::vector<Rect> areas = WorkAreas();
    if (shown_ && !forms_.front()->Minimised()) {
        for (const auto& form : forms_) {
            if (const std::optional<Point> at =
                    KeepOnScreen(form->ScreenBounds(), CaptionStripAt(form->Dpi()).rows, areas)) {
                form->SetPosition(*at);
            }
        }
    }
    if (panel_ == nullptr) return;
    if (const std::optional<Point> at =
            KeepOnScreen(WindowBounds(panel_->Handle()), PanelCaptionHeight(WindowDpi(panel_->Handle())), areas)) {
        panel_->MoveTo(*at);
    }
}

void TGuideWindows::MarkGuides(IgnoreMask& mask, Point origin) const {
    for (const auto& form : forms_) form->MarkDrawn(mask, origin);
    if (panel_ != nullptr) panel_->MarkShown(mask, origin);
}

void TGuideWindows::AttachShell(TProgramShell* shell) {
    shell_ = shell;
    OptionsChanged();
}

void TGuideWindows::OptionsChanged() {
    if (shell_ != nullptr) shell_->ApplyHotKeys(guides_.Guide(0));
    if (shell_ != nullptr) shell_->ShowState();      // click-through shows on the icon
    if (panel_ != nullptr) panel_->UpdateHotKeys();  // which of them another program holds
}

bool TGuideWindows::HotKeyTaken(HotKeyCommand command) const {
    return shell_ != nullptr && shell_->HotKeyTaken(command);
}

void TGuideWindows::StandAside(bool aside) {
    if (shell_ != nullptr) shell_->StandAside(aside);
}

ProgramState TGuideWindows::State() const {
    ProgramState state = StateOf(guides_, shown_);
    for (const auto& form : forms_) state.anyWaiting = state.anyWaiting || form->FollowWaiting();
    if (startWithWindows_ != nullptr) state.startWithWindows = startWithWindows_->Shown();
    return state;
}

void TGuideWindows::SetShown(bool shown) {
    shown_ = shown;
    // The first guide first: showing it restores the program from the task bar.
    for (const auto& form : forms_) form->SetShown(shown);
    if (panel_ != nullptr) panel_->EnableGuideCommands(shown);
    if (shown) DisplaysChanged();
}

void TGuideWindows::Present() {
    if (!shown_) SetShown(true);
    if (panel_ != nullptr) panel_->Present();
}

// Shared by every guide: the current one tells the others.
void TGuideWindows::ChooseUnits(std::int32_t units) { guides_.CurrentGuide().SetUnits(units); }

void TGuideWindows::Run(ProgramCommand command) {
    TMainForm& current = *forms_[static_cast<std::size_t>(guides_.Current())];
    switch (command) {
        case ProgramCommand::ShowHide: SetShown(!shown_); return;
        case ProgramCommand::ClickThrough: SwitchClickThrough(guides_); return;
        case ProgramCommand::Fit:
            if (shown_) current.FitToPicture();
            return;
        case ProgramCommand::NextLook: guides_.CurrentGuide().NextLookMode(); return;
        case ProgramCommand::NewGuide:
            if (shown_) NewGuide(current);
            return;
        case ProgramCommand::Settings:
            if (panel_ != nullptr) panel_->Present();
            return;
        case ProgramCommand::Present: Present(); return;
        case ProgramCommand::CopyComposition:
            if (shown_) current.CopyComposition();
            return;
        case ProgramCommand::Follow:
            if (shown_) guides_.CurrentGuide().SetFollowPicture(!guides_.CurrentGuide().FollowPicture());
            return;
        case ProgramCommand::Manual: links_.Open(kManualPath); return;
        case ProgramCommand::Exit: EndProgram(); return;
        case ProgramCommand::StartWithWindows:
            if (startWithWindows_ == nullptr) return;
            startWithWindows_->Change(!startWithWindows_->Shown().checked);
            if (panel_ != nullptr) panel_->UpdateStartWithWindows();
            return;
    }
}

bool TGuideWindows::SaveComposition(const std::string& path) {
    return forms_[static_cast<std::size_t>(guides_.Current())]->SaveCompositionTo(path);
}

CommandProblem TGuideWindows::CarryOutCommand(const LineCommand& command) {
    return CarryOut(command, guides_, *this, looks_, lang_);
}

}  // namespace lumetra
