#pragma once

#include <QPoint>
#include <QRect>

#include <optional>

// The keys that move and size the clock window. They are defined on the
// desktop's virtual-key codes, which tell the numeric keypad's digits, plus
// and minus apart from the other keys; with NumLock off the keypad sends the
// navigation keys instead (keypad 7 is Home, keypad 5 nothing).
namespace PlacementKeys {

enum VirtualKey {
    PageUp = 33, PageDown = 34, End = 35, Home = 36,
    Left = 37, Up = 38, Right = 39, Down = 40,
    NumPad1 = 97, NumPad2 = 98, NumPad3 = 99, NumPad4 = 100, NumPad5 = 101,
    NumPad6 = 102, NumPad7 = 103, NumPad8 = 104, NumPad9 = 105,
    NumPadPlus = 107, NumPadMinus = 109,
};

// The virtual-key code of a Qt key event, or 0 for keys without a placement
// role.
int VirtualKeyOf(int qtKey, bool onKeypad);

struct Action {
    std::optional<QPoint> position; // where the window's top-left goes
    int sizeStep = 0;               // how much the size control changes
};

// What a key does to a window at position whose side is side (its real
// size). Corners, edges and limits are those of the work area, wherever
// it starts: panels at the top or left move them with it.
Action ForKey(int virtualKey, QPoint position, int side, const QRect& workArea);

} // namespace PlacementKeys
