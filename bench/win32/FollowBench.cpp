// Times following a picture in the real window system. A "viewer" window of
// this program shows a test photograph scaled up, as a viewer zooms it; the
// guide is fitted to it and follows it while it stands still and while it
// pans. The desktop beneath must be plain: run_bench.py sees to that.
//
// Usage: lumetra-bench-follow language-file photo.ppm LEFT TOP WIDTH HEIGHT seconds steps
//   The viewer shows the photograph at LEFT TOP, WIDTH x HEIGHT.
// Prints one tab-separated row:
//   follow <still %> <not following %> <panning %> <panning, not following %> <step ms> <lag ms> <exact>/<steps>
//          <video %> <video, not following %> <shortest mark ms> <16 still %> <16 not following %>
// The shares are the process's processor time over the wall-clock time (one
// core is 100 %); the step is one look at a moved picture (strips, region,
// search, move and paint), the lag the time from a move of the picture until
// the guide stands on it again (medians). The video is the picture changing
// in place every 33 ms (its camera pans); the shortest mark is the shortest
// time the caption's mark kept a state meanwhile (0: it never changed). The
// last two are sixteen guides, each following a viewer of its own, all still.
#include "win32/Win32.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench/common/BenchCases.h"
#include "bench/win32/BenchLoop.h"
#include "lang/LangTable.h"
#include "overlay/compose/Compose.h"
#include "overlay/fit/PictureFit.h"
#include "overlay/lookfiles/LookLibrary.h"
#include "overlay/fit/PictureFollower.h"
#include "overlay/win32/FollowTicker.h"
#include "overlay/win32/MainFrm.h"
#include "settings/AppSettings.h"
#include "overlay/win32/ScreenShot.h"

namespace lumetra::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// An 8-bit binary P6 file as 32-bit top-down DIB rows; empty on anything else.
struct Photo {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

Photo ReadPpm(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    Photo photo;
    int maxValue = 0;
    in >> magic >> photo.width >> photo.height >> maxValue;
    in.get();
    if (!in || magic != "P6" || maxValue != 255 || photo.width <= 0 || photo.height <= 0) return {};
    std::vector<unsigned char> bytes(static_cast<std::size_t>(photo.width) * static_cast<std::size_t>(photo.height) *
                                     3);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in) return {};
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        photo.pixels.push_back((std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2]);
    }
    return photo;
}

const Photo* g_photo = nullptr;
// The viewer whose picture plays as a video, and how far its camera has panned.
HWND g_video = nullptr;
int g_videoPan = 0;

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return ::DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window, &paint);
    RECT client{};
    ::GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = g_photo->width;
    info.bmiHeader.biHeight = -g_photo->height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetStretchBltMode(dc, HALFTONE);
    // Four fifths of the photograph, from where the camera has panned to.
    const int pan = window == g_video ? g_videoPan : 0;
    ::StretchDIBits(dc, 0, 0, client.right, client.bottom, pan, 0, g_photo->width * 4 / 5, g_photo->height,
                    g_photo->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    ::EndPaint(window, &paint);
    return 0;
}

double ProcessMs() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

// Runs the message loop for a while, calling frame every frameMs; answers
// the processor share in percent of one core.
double ShareWhile(double seconds, const std::function<void()>& frame, double frameMs) {
    const Clock::time_point start = Clock::now();
    const double cpuStart = ProcessMs();
    double nextFrame = frameMs;
    while (Since(start) < seconds * 1000.0) {
        const double wait = frame ? std::max(0.0, nextFrame - Since(start)) : 20.0;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait), QS_ALLINPUT);
        PumpMessages();
        if (frame && Since(start) >= nextFrame) {
            frame();
            nextFrame += frameMs;
        }
    }
    return 100.0 * (ProcessMs() - cpuStart) / Since(start);
}

void Settle(int ms) {
    const Clock::time_point start = Clock::now();
    while (Since(start) < ms) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
}

// The picture's place after step i: 37 px right and left in turn, 12 px
// down each time, clear of the guide's own caption strip above.
Point Shifted(int i) { return {i % 2 == 0 ? 37 : 0, 12 * (i + 1)}; }

// The fit's notice lies over the picture's centre until it goes.
constexpr int kNoticeGone = 4000;

Rect MeasuredArea(const TMainForm& form, const TSettings& settings) {
    const Point origin = MeasuredOrigin(form.Position(), settings.Border(), CaptionStripAt(form.Dpi()));
    return {origin.x, origin.y, origin.x + settings.Width(), origin.y + settings.Height()};
}

int Run(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr,
                     "usage: lumetra-bench-follow language-file photo.ppm LEFT TOP WIDTH HEIGHT seconds steps\n");
        return 2;
    }
    LangTable lang;
    if (!ReadLanguageFile(lang, argv[1])) std::fprintf(stderr, "warning: cannot read %s\n", argv[1]);
    const Photo photo = ReadPpm(argv[2]);
    if (photo.width == 0) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    g_photo = &photo;
    const Rect first{std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[3]) + std::atoi(argv[5]),
                     std::atoi(argv[4]) + std::atoi(argv[6])};
    const double seconds = std::max(1.0, std::atof(argv[7]));
    const int steps = std::max(1, std::atoi(argv[8]));

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW viewerClass{};
    viewerClass.lpfnWndProc = ViewerProc;
    viewerClass.hInstance = instance;
    viewerClass.lpszClassName = L"LumetraBenchViewer";
    ::RegisterClassW(&viewerClass);
    const HWND viewer =
        ::CreateWindowExW(0, viewerClass.lpszClassName, L"viewer", WS_POPUP | WS_VISIBLE, first.left, first.top,
                          first.right - first.left, first.bottom - first.top, nullptr, nullptr, instance, nullptr);
    const auto moveViewer = [&](Point to) {
        ::SetWindowPos(viewer, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::UpdateWindow(viewer);
    };

    const LookLibrary looks;  // no guide files
    TSettings settings(::GetSystemMetrics(SM_CXSCREEN));
    settings.SetShowValues(true);
    settings.SetOpacity(100);
    NoLinks links;
    TMainForm form(instance, settings, looks, lang, links);
    form.SetPosition({(first.left + first.right) / 2 - 200, (first.top + first.bottom) / 2 - 150});
    Settle(500);
    form.FitToPictureAtCentre();
    Settle(300);
    if (MeasuredArea(form, settings) != first) {
        std::fprintf(stderr, "the fit missed the viewer's picture\n");
        return 1;
    }

    // A picture standing still, followed and not.
    settings.SetFollowPicture(true);
    Settle(1000);
    const double still = ShareWhile(seconds, {}, 0);
    settings.SetFollowPicture(false);
    const double idle = ShareWhile(seconds, {}, 0);

    // Panning back and forth by 4 px every 33 ms, followed and not.
    int offset = 0;
    int direction = 4;
    const auto pan = [&] {
        if (offset + direction > 200 || offset + direction < 0) direction = -direction;
        offset += direction;
        moveViewer({first.left + offset, first.top});
    };
    settings.SetFollowPicture(true);
    const double panning = ShareWhile(seconds, pan, 33.0);
    Settle(1000);
    const Rect panned{first.left + offset, first.top, first.right + offset, first.bottom};
    if (MeasuredArea(form, settings) != panned) std::fprintf(stderr, "after the pan the guide is off the picture\n");
    settings.SetFollowPicture(false);
    const double panningIdle = ShareWhile(seconds, pan, 33.0);
    moveViewer({first.left, first.top});
    Settle(500);

    // A video where the picture stands: every 33 ms the camera pans a pixel,
    // back and forth; the guide stays, and its mark holds each state a while.
    g_video = viewer;
    int videoDirection = 1;
    bool marked = form.FollowWaiting();
    std::optional<Clock::time_point> markedAt;  // the last change seen while playing
    double shortestMark = 0.0;
    const auto play = [&] {
        if (g_videoPan + videoDirection > g_photo->width / 5 || g_videoPan + videoDirection < 0) {
            videoDirection = -videoDirection;
        }
        g_videoPan += videoDirection;
        ::InvalidateRect(viewer, nullptr, FALSE);
        ::UpdateWindow(viewer);
        if (settings.FollowPicture() && form.FollowWaiting() != marked) {
            if (markedAt) {
                const double held = Since(*markedAt);
                shortestMark = shortestMark == 0.0 ? held : std::min(shortestMark, held);
            }
            marked = form.FollowWaiting();
            markedAt = Clock::now();
        }
    };
    form.FitToPictureAtCentre();
    settings.SetFollowPicture(true);
    Settle(kNoticeGone);
    marked = form.FollowWaiting();
    const double video = ShareWhile(seconds, play, 33.0);
    if (MeasuredArea(form, settings) != first || form.FollowWaiting()) {
        std::fprintf(stderr, "over the video the guide left or lost its picture\n");
    }
    settings.SetFollowPicture(false);
    const double videoIdle = ShareWhile(seconds, play, 33.0);
    g_video = nullptr;
    ::InvalidateRect(viewer, nullptr, FALSE);
    Settle(500);
    form.FitToPictureAtCentre();
    Settle(kNoticeGone);

    // One step, timed on its own: the same pieces the guide's timer runs.
    std::vector<double> stepTimes;
    int exact = 0;
    PictureFollower follower;
    const HMONITOR monitorHandle = ::MonitorFromWindow(viewer, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(monitorHandle, &info);
    const Rect monitor{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    const auto region = [&](const Rect& area, const std::function<void(const ScreenRegion&)>& use) {
        const std::optional<ScreenShot> shot = ScreenShot::OfArea({area.left, area.top, area.right, area.bottom});
        if (!shot) return;
        const ScreenImage image = shot->Image();
        const Point origin{shot->Area().left, shot->Area().top};
        IgnoreMask mask(image.width, image.height);
        form.MarkDrawn(mask, origin);
        use({image, origin, &mask});
    };
    region(follower.RegionAround(first, monitor), [&](const ScreenRegion& r) { follower.Start(r, first); });
    for (int i = 0; i < steps; ++i) {
        const Point shift = Shifted(i);
        moveViewer({first.left + shift.x, first.top + shift.y});
        Settle(150);
        const Rect want{first.left + shift.x, first.top + shift.y, first.right + shift.x, first.bottom + shift.y};
        const Clock::time_point start = Clock::now();
        std::vector<ScreenShot> shots;
        std::vector<ScreenImage> strips;
        for (const Rect& s : follower.Strips(monitor)) {
            if (auto shot = ScreenShot::OfArea({s.left, s.top, s.right, s.bottom})) shots.push_back(std::move(*shot));
        }
        for (const ScreenShot& shot : shots) strips.push_back(shot.Image());
        FollowAnswer answer;
        if (follower.LookDue(strips)) {
            Rect area = follower.Region(monitor);
            for (int attempt = 0; attempt < 2; ++attempt) {
                region(area, [&](const ScreenRegion& r) { answer = follower.Decide(r, monitor, attempt == 0); });
                if (answer.step != FollowStep::Widen) break;
                area = answer.rect;
            }
        }
        if (answer.step == FollowStep::Move) {
            settings.SetPlacement(PlacementFollowing(settings, answer.rect));
        }
        stepTimes.push_back(Since(start));
        if (answer.step == FollowStep::Move && answer.rect == want) ++exact;
        Settle(150);
    }

    // The lag: from a move of the picture until the guide stands on it.
    std::vector<double> lags;
    moveViewer({first.left, first.top});
    Settle(300);
    form.FitToPictureAtCentre();
    Settle(kNoticeGone);
    settings.SetFollowPicture(true);
    Settle(500);
    for (int i = 0; i < steps; ++i) {
        const Point shift = Shifted(i);
        const Rect want{first.left + shift.x, first.top + shift.y, first.right + shift.x, first.bottom + shift.y};
        const Clock::time_point start = Clock::now();
        moveViewer({want.left, want.top});
        while (MeasuredArea(form, settings) != want && Since(start) < 3000) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
            PumpMessages();
        }
        lags.push_back(Since(start));
        Settle(200);
    }
    settings.SetFollowPicture(false);
    ::ShowWindow(viewer, SW_HIDE);
    form.SetShown(false);

    // Sixteen guides, each on a viewer of its own in a grid of 4 x 4, still.
    constexpr int kGuides = 16;
    TFollowTicker ticker(instance);
    std::vector<HWND> viewers;
    std::vector<std::unique_ptr<TSettings>> guideSettings;
    std::vector<std::unique_ptr<TMainForm>> guides;
    int fitted = 0;
    for (int i = 0; i < kGuides; ++i) {
        // Apart by more than a look's margin: a guide without a program of
        // guides masks only itself.
        const Rect cell{96 + (i % 4) * 456, 90 + (i / 4) * 250, 96 + (i % 4) * 456 + 340, 90 + (i / 4) * 250 + 150};
        viewers.push_back(::CreateWindowExW(0, viewerClass.lpszClassName, L"viewer", WS_POPUP | WS_VISIBLE, cell.left,
                                            cell.top, cell.right - cell.left, cell.bottom - cell.top, nullptr, nullptr,
                                            instance, nullptr));
        guideSettings.push_back(std::make_unique<TSettings>(::GetSystemMetrics(SM_CXSCREEN)));
        guideSettings.back()->SetOpacity(100);
        guideSettings.back()->SetWidth(200);
        guides.push_back(std::make_unique<TMainForm>(instance, *guideSettings.back(), looks, lang, links,
                                                     nullptr, nullptr, &ticker));
        guides.back()->SetPosition({(cell.left + cell.right) / 2 - 100, (cell.top + cell.bottom) / 2 - 80});
    }
    Settle(500);
    for (int i = 0; i < kGuides; ++i) guides[static_cast<std::size_t>(i)]->FitToPictureAtCentre();
    Settle(kNoticeGone);
    for (const auto& guide : guideSettings) guide->SetFollowPicture(true);
    Settle(2000);
    for (std::size_t i = 0; i < guides.size(); ++i) {
        if (guides[i]->FollowWaiting()) {
            std::fprintf(stderr, "guide %d waits\n", static_cast<int>(i));
        } else {
            ++fitted;
        }
    }
    const double still16 = ShareWhile(seconds, {}, 0);
    for (const auto& guide : guideSettings) guide->SetFollowPicture(false);
    const double idle16 = ShareWhile(seconds, {}, 0);
    if (fitted != kGuides) std::fprintf(stderr, "%d of %d guides fitted\n", fitted, kGuides);

    std::printf("follow\t%.2f\t%.2f\t%.2f\t%.2f\t%.3f\t%.1f\t%d/%d\t%.2f\t%.2f\t%.0f\t%.2f\t%.2f\n", still, idle,
                panning, panningIdle, Median(stepTimes), Median(lags), exact, steps, video, videoIdle, shortestMark,
                still16, idle16);
    guides.clear();
    for (const HWND v : viewers) ::DestroyWindow(v);
    ::DestroyWindow(viewer);
    return 0;
}

}  // namespace
}  // namespace lumetra::bench

int main(int argc, char** argv) { return lumetra::bench::Run(argc, argv); }
