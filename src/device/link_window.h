#pragma once

#include <cstddef>
#include <cstdint>

namespace ostrel {

// What the device link needs from the main window, so that it runs and is tested without one.
// Every call comes on the UI thread.
class LinkWindow {
public:
    virtual ~LinkWindow() = default;
    // A status answer saw the mouse come online: bring the window to the front, shown normally.
    virtual void ShowFromDevice() = 0;
    // The mouse went offline after it had shown the window.
    virtual void Minimise() = 0;
    virtual void Hide() = 0;
    // The sensor changed: the DPI sliders get the new step count as their range.
    virtual void SetDpiStepRange(uint32_t stepCount) = 0;
    virtual void Redraw() = 0;
    // Refresh every control from the current profile.
    virtual void RefreshView() = 0;
    // The modal progress dialog after a flush that sent frames, with language string `textEntry`.
    virtual void ShowProgress(size_t textEntry) = 0;
    // The battery icon and text: level 0-100, charge state, animation step 25-100.
    virtual void UpdateBattery(uint8_t level, uint8_t chargeState, uint8_t animationStep) = 0;
    // The modeless topmost attention box with language strings `titleEntry` and `textEntry`.
    virtual void ShowAttentionBox(size_t titleEntry, size_t textEntry) = 0;
    // The mouse changed its level: the position the DPI page and the on-screen display show.
    virtual void SetCurrentLevelPosition(uint8_t position) = 0;
    // Message 1067: the on-screen display of the current DPI level.
    virtual void ShowDpiDisplay() = 0;
    // The last device went away: close every open dialog and end the program.
    virtual void CloseDialogsAndQuit() = 0;
};

// A window that shows nothing: for tools, benchmarks and fuzzing.
class NullLinkWindow : public LinkWindow {
public:
    void ShowFromDevice() override {}
    void Minimise() override {}
    void Hide() override {}
    void SetDpiStepRange(uint32_t) override {}
    void Redraw() override {}
    void RefreshView() override {}
    void ShowProgress(size_t) override {}
    void UpdateBattery(uint8_t, uint8_t, uint8_t) override {}
    void ShowAttentionBox(size_t, size_t) override {}
    void SetCurrentLevelPosition(uint8_t) override {}
    void ShowDpiDisplay() override {}
    void CloseDialogsAndQuit() override {}
};

}  // namespace ostrel
