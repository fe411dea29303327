#pragma once
// A minimal overlay that keeps the program runnable until the real one takes
// its place: borderless, topmost, colour-keyed, placed and sized from the
// settings, showing the frame pictures. Closing it ends the message loop.
#include <windows.h>

#include <array>

namespace lumetra {

class LangTable;
class TSettings;

class StandInWindow {
public:
    StandInWindow(HINSTANCE instance, TSettings& settings, const LangTable& lang);
    ~StandInWindow();
    StandInWindow(const StandInWindow&) = delete;
    StandInWindow& operator=(const StandInWindow&) = delete;

    HWND Handle() const { return handle_; }

private:
    // A loaded icon image, destroyed with its owner.
    class Icon {
    public:
        Icon() = default;
        Icon(HINSTANCE instance, const char* name, int width, int height);
        ~Icon();
        Icon(const Icon&) = delete;
        Icon& operator=(const Icon&) = delete;
        Icon(Icon&& other) noexcept;
        Icon& operator=(Icon&& other) noexcept;

        void Draw(HDC dc, int x, int y) const;

    private:
        HICON icon_ = nullptr;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FormPaint();
    void FormClose();

    TSettings& settings_;
    HWND handle_ = nullptr;
    std::array<Icon, 7> pictures_;
};

}  // namespace lumetra
