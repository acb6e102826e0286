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
};

}  // namespace ostrel
