#include "platform/qt/host_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWheelEvent>

#include "platform/qt/qt_host.h"
#include "platform/qt/qt_key_map.h"

namespace ostrel::platform {

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned flags = 0;
    if (buttons & Qt::LeftButton) {
        flags |= ui::kMouseLeftButton;
    }
    if (buttons & Qt::RightButton) {
        flags |= ui::kMouseRightButton;
    }
    if (buttons & Qt::MiddleButton) {
        flags |= ui::kMouseMiddleButton;
    }
    if (modifiers & Qt::ShiftModifier) {
        flags |= ui::kMouseShift;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= ui::kMouseControl;
    }
    return flags;
}

HostWidget::HostWidget(QtHost& host, ui::WindowHandle handle, QWidget* owner, Qt::WindowFlags flags)
    : QWidget(owner, flags), m_host(&host), m_handle(handle) {
    // The client paints every pixel; Qt must neither clear nor fill the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_QuitOnClose, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

HostWidget::~HostWidget() {
    if (m_host != nullptr) {
        m_host->WidgetDestroyed(m_handle);
    }
}

void HostWidget::paintEvent(QPaintEvent* event) {
    if (m_host != nullptr) {
        m_host->PaintWindow(m_handle, event->rect());
    }
}

void HostWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_host != nullptr) {
        m_host->MouseMoved(m_handle, MouseFlags(event->buttons(), event->modifiers()),
                           event->position().toPoint(), event->globalPosition().toPoint(),
                           (event->buttons() & Qt::LeftButton) != 0);
    }
}

void HostWidget::Press(QMouseEvent* event) {
    m_lastPressTime = event->timestamp();
    m_pressSeen = true;
    if (m_host != nullptr) {
        m_host->MousePressed(
            m_handle, event->button(), MouseFlags(event->buttons(), event->modifiers()),
            event->position().toPoint(), event->globalPosition().toPoint(), event->timestamp());
    }
}

void HostWidget::mousePressEvent(QMouseEvent* event) {
    Press(event);
}

void HostWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // Widgets get the double click in place of the second press; the host decides itself what
    // pairs into a double click, so this counts as a press unless that press came already.
    if (m_pressSeen && event->timestamp() == m_lastPressTime) {
        return;
    }
    Press(event);
}

void HostWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (m_host != nullptr) {
        m_host->MouseReleased(m_handle, event->button(),
                              MouseFlags(event->buttons(), event->modifiers()),
                              event->position().toPoint(), event->globalPosition().toPoint());
    }
}

void HostWidget::leaveEvent(QEvent* /*event*/) {
    if (m_host != nullptr) {
        m_host->MouseLeft(m_handle);
    }
}

void HostWidget::wheelEvent(QWheelEvent* event) {
    if (m_host != nullptr) {
        m_host->Wheel(m_handle, MouseFlags(event->buttons(), event->modifiers()),
                      event->angleDelta().y(), event->position().toPoint(),
                      event->globalPosition().toPoint());
    }
}

void HostWidget::keyPressEvent(QKeyEvent* event) {
    if (m_host != nullptr) {
        m_host->Key(m_handle, true,
                    VirtualKeyFromQt(event->key(), static_cast<unsigned>(event->modifiers()),
                                     event->nativeVirtualKey()),
                    event->isAutoRepeat());
    }
}

void HostWidget::keyReleaseEvent(QKeyEvent* event) {
    if (m_host != nullptr) {
        m_host->Key(m_handle, false,
                    VirtualKeyFromQt(event->key(), static_cast<unsigned>(event->modifiers()),
                                     event->nativeVirtualKey()),
                    event->isAutoRepeat());
    }
}

void HostWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && m_host != nullptr) {
        m_host->Activated(m_handle, isActiveWindow());
    }
    QWidget::changeEvent(event);
}

void HostWidget::closeEvent(QCloseEvent* event) {
    if (windowType() == Qt::Popup) {
        // Qt closes popups itself (a press outside them, the program losing the focus): the
        // popup hides and its client hears of the deactivation; the host destroys it later.
        event->accept();
        if (m_host != nullptr) {
            m_host->PopupClosed(m_handle);
        }
        return;
    }
    // The dialog decides whether and how it ends; the window stays until the host destroys it.
    event->ignore();
    if (m_host != nullptr) {
        m_host->CloseRequested(m_handle);
    }
}

}  // namespace ostrel::platform
