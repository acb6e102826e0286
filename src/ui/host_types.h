#pragma once

#include <cstdint>

namespace ostrel::ui {

// A window of the host. Handles are never reused, so a stale one only fails to find its window.
using WindowHandle = std::uint64_t;
inline constexpr WindowHandle kNoWindow = 0;

// Message numbers that windows send and post to each other. Control ids double as message
// numbers (they are never below kMsgUser), so the host's own messages stay below it.
inline constexpr unsigned kMsgClose = 0x0010;
inline constexpr unsigned kMsgUser = 0x0400;

// Modifier and button bits that accompany every mouse event, as the mouse hooks receive them.
inline constexpr unsigned kMouseLeftButton = 0x0001;
inline constexpr unsigned kMouseRightButton = 0x0002;
inline constexpr unsigned kMouseShift = 0x0004;
inline constexpr unsigned kMouseControl = 0x0008;
inline constexpr unsigned kMouseMiddleButton = 0x0010;

// One notch of a mouse wheel.
inline constexpr int kWheelDelta = 120;

// Shortest interval a timer runs at; shorter requests are raised to it so that a zero interval
// can never spin the event loop.
inline constexpr unsigned kMinimumTimerMs = 10;

// The codes a modal run ends with.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
// A modal run that the host had to abandon (the program quits, a test's dialog never ended).
inline constexpr int kModalAbandoned = -1;

// Virtual-key codes of the keys that the toolkit itself reacts to; the key tables hold the rest.
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkEscape = 0x1B;

struct KeyEvent {
    int virtualKey = 0;  // the system's virtual-key code; 0 when the key has none
    bool autoRepeat = false;
    std::uint32_t timeMs = 0;  // the host's tick count when the key moved
};

enum class WindowKind {
    Dialog,  // a top-level window with its own place in the task switcher unless it has an owner
    // A borderless topmost window that stays with its owner, as drop-down menus behave. Shown
    // (ShowMode::Show) it gets OnActivate(true) and stacks on the popups already open without
    // taking their activation. While popups are open they take the mouse and the keyboard: each
    // mouse event goes to the popup under the pointer (or the capture), and a press outside every
    // popup closes the topmost one: the host hides it and reports OnActivate(false), and the
    // press then reaches the window under the pointer only when no popup is left open. Hiding or
    // destroying a popup from the program reports nothing.
    Popup,
};

struct WindowOptions {
    WindowKind kind = WindowKind::Dialog;
    WindowHandle owner = kNoWindow;  // owned windows stay above their owner and die with it
    bool modal = false;              // the window will run modally; input to others is blocked
};

enum class ShowMode {
    Hide,
    Show,  // show, restore from minimised and activate
    ShowNoActivate,
    Minimize,
};

}  // namespace ostrel::ui
