#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/control_base.h"
#include "ui/dlg_base.h"

namespace ostrel::testing {

// A control of the standard state machine that counts what reaches it. Its picture is a solid
// fill per state (normal grey, hover blue, pressed amber) with its text on top.
class RecordingControl : public ui::CControlBase {
public:
    static constexpr ui::ColorRef kNormalFill = ui::Rgb(60, 60, 60);
    static constexpr ui::ColorRef kHoverFill = ui::Rgb(0, 128, 255);
    static constexpr ui::ColorRef kPressedFill = ui::Rgb(255, 200, 0);

    RecordingControl(ui::WindowHandle parent, int id, ui::Rect rect, int disabled = 0,
                     int visible = 1, int shown = 1);

    void Draw(ui::SkinPainter& painter, ui::Rect clip) override;
    int OnReset(int reason) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    bool OnLButtonDblClk(unsigned flags, int x, int y) override;
    // Inside and enabled: code 11.
    bool OnRButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

    int moves = 0;
    ui::Point lastMove{-100, -100};
    int resets = 0;
    int rightUps = 0;
    int releases = 0;
};

// A dialog whose controls and picture the test decides; it records every notification (every
// message from kMsgUser up) before its message map handles it. By default its picture is the
// background colour, the frame surface and the controls.
class RecordingDialog : public ui::CDlgBase {
public:
    struct Note {
        unsigned message = 0;
        std::uintptr_t wParam = 0;
        std::intptr_t code = 0;
        bool operator==(const Note&) const = default;
    };

    // `designSize` in design pixels; the dialog keeps it times the UI scale.
    RecordingDialog(ui::Size designSize, ui::WindowHandle parent = ui::kNoWindow);

    RecordingControl* AddRecording(int collection, int id, ui::Rect rect, int disabled = 0,
                                   int visible = 1, int shown = 1);
    RecordingControl* Recording(int id) const;

    void CreateControls(ui::Rect client) override;
    void DrawContent(ui::SkinPainter& painter, const ui::Rect& client) override;
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnClose() override;

    std::function<void(RecordingDialog& dialog, ui::Rect client)> build;
    std::function<void(RecordingDialog& dialog, ui::SkinPainter& painter, const ui::Rect& client)>
        paint;
    std::function<void()> onClose;
    std::vector<Note> notes;
    ui::Rect createdWith;

    // For the picture tests, which draw the steps themselves.
    using CDlgBase::DrawFrameBitmapFile;
    using CDlgBase::DrawFrameSurface;
};

}  // namespace ostrel::testing
