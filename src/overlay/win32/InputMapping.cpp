#include "overlay/win32/InputMapping.h"

namespace lumetra {
namespace {

bool KeyHeld(int code) { return ::GetKeyState(code) < 0; }

}  // namespace

ShiftState MouseState(WPARAM keyFlags) {
    ShiftState state;
    const auto add = [&state](Held held, bool on) {
        if (on) state = state.With(held);
    };
    add(Held::Shift, (keyFlags & MK_SHIFT) != 0);
    add(Held::Ctrl, (keyFlags & MK_CONTROL) != 0);
    add(Held::Alt, KeyHeld(VK_MENU));
    add(Held::Left, (keyFlags & MK_LBUTTON) != 0);
    add(Held::Right, (keyFlags & MK_RBUTTON) != 0);
    add(Held::Middle, (keyFlags & MK_MBUTTON) != 0);
    add(Held::Back, (keyFlags & MK_XBUTTON1) != 0);
    add(Held::Forward, (keyFlags & MK_XBUTTON2) != 0);
    return state;
}

ShiftState KeyboardState() {
    ShiftState state;
    if (KeyHeld(VK_SHIFT)) state = state.With(Held::Shift);
    if (KeyHeld(VK_CONTROL)) state = state.With(Held::Ctrl);
    if (KeyHeld(VK_MENU)) state = state.With(Held::Alt);
    return state;
}

VirtualKey KeyFromCode(WPARAM code) {
    switch (code) {
        case VK_RETURN: return VirtualKey::Return;
        case VK_SPACE: return VirtualKey::Space;
        case VK_LEFT: return VirtualKey::Left;
        case VK_RIGHT: return VirtualKey::Right;
        case VK_UP: return VirtualKey::Up;
        case VK_DOWN: return VirtualKey::Down;
        case VK_MULTIPLY: return VirtualKey::Multiply;
        case VK_ADD: return VirtualKey::Add;
        case VK_SUBTRACT: return VirtualKey::Subtract;
        case VK_DIVIDE: return VirtualKey::Divide;
        case VK_F1: return VirtualKey::F1;
        case VK_F2: return VirtualKey::F2;
        case VK_F3: return VirtualKey::F3;
        case VK_F4: return VirtualKey::F4;
        case 'F': return VirtualKey::F;
        case 'N': return VirtualKey::N;
        case 'Z': return VirtualKey::Z;
        case 'C': return VirtualKey::C;
        case 'S': return VirtualKey::S;
        case 'R': return VirtualKey::R;
        case 'U': return VirtualKey::U;
        default: return VirtualKey::Other;
    }
}

Point ClientPoint(LPARAM lParam) {
    // Signed 16-bit halves: left of or above the window they are negative.
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace lumetra
