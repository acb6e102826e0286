#pragma once

#include <QWidget>
#include <cstdint>

#include "ui/host_types.h"

namespace ostrel::platform {

class QtHost;

// The Qt window of one host window: frameless, painted only by its client, forwarding every
// event to the host, which finds the window again by its handle.
class HostWidget : public QWidget {
public:
    HostWidget(QtHost& host, ui::WindowHandle handle, QWidget* owner, Qt::WindowFlags flags);
    ~HostWidget() override;

    // The host has forgotten the window: forward nothing any more.
    void Detach() { m_host = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Press(QMouseEvent* event);

    QtHost* m_host;
    ui::WindowHandle m_handle;
    // The press that Qt may report again as a double click.
    std::uint64_t m_lastPressTime = 0;
    bool m_pressSeen = false;
};

// The mouse hooks' flag bits for a Qt event's buttons and modifiers.
unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace ostrel::platform
