#include "ui/keep_keyboard_browser.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <deque>
#include <memory>
#include <utility>

namespace morvelt {
namespace {

// Qt 6.4's browser platform leaves the keyboard where no window manager
// would:
// - a closed prompt keeps it, and once the prompt is destroyed no window has
//   it: keys go nowhere until a click;
// - a new prompt gets it only after its first wait for the browser, and a key
//   typed before goes to the window it blocks.
// Either way, a key typed quickly after the Enter that closes a prompt is
// lost. The keeper gives the keyboard to the window beneath as a prompt
// closes, and to a new prompt before its first wait; and from a prompt's
// closing until the code that opened it has gone on, to the next prompt or
// back to the window, it holds the keys typed, and then gives them, in
// order, to whichever has the keyboard. A prompt is closed when its window is
// destroyed: the prompts are dialogs of the moment, never hidden and kept.
class KeyboardKeeper final : public QObject {
public:
    explicit KeyboardKeeper(QWidget& window)
        : QObject(&window)
        , m_window(&window)
    {
        qApp->installEventFilter(this);
        m_lateRelease.setSingleShot(true);
        m_lateRelease.setInterval(50);
        connect(&m_lateRelease, &QTimer::timeout, this, &KeyboardKeeper::Release);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (IsDialog(watched))
                PostRelease();
            return false;
        case QEvent::Hide:
            if (IsDialog(watched)) {
                m_closing = static_cast<QWidget*>(watched)->windowHandle();
                connect(m_closing.data(), &QObject::destroyed, this, &KeyboardKeeper::PostRelease,
                        Qt::UniqueConnection);
                Activate();
            }
            return false;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return Hold(watched, static_cast<QKeyEvent*>(event));
        default:
            return false;
        }
    }

private:
    static bool IsDialog(QObject* object)
    {
        auto* dialog = qobject_cast<QDialog*>(object);
        return dialog && dialog->isWindow();
    }

    // Every key reaches a window before its widget; it is held there.
    bool Hold(QObject* watched, QKeyEvent* key)
    {
        if (!watched->isWindowType() || key == m_replaying || (!m_closing && m_held.empty()))
            return false;
        m_held.emplace_back(key->clone());
        PostRelease();
        return true;
    }

    // The window that should have the keyboard: the open prompt, or the
    // program's window.
    QWidget* Target() const
    {
        QWidget* modal = QApplication::activeModalWidget();
        return modal ? modal : m_window.data();
    }

    // True when the target has the keyboard, given to it now if need be.
    // The platform's own activations, which come late, are let through first,
    // lest one of them take the keyboard back for a prompt that has closed.
    bool Activate()
    {
        QWindowSystemInterface::flushWindowSystemEvents();
        QWidget* target = Target();
        if (!target || !target->isVisible())
            return false;
        QWindow* handle = target->windowHandle();
        if (QGuiApplication::focusWindow() != handle)
            QWindowSystemInterface::handleWindowActivated<
                QWindowSystemInterface::SynchronousDelivery>(handle, Qt::ActiveWindowFocusReason);
        return QGuiApplication::focusWindow() == handle;
    }

    // A posted event runs first thing in a prompt's loop; but the browser's
    // event dispatcher has been seen to leave one unrun after a prompt, so a
    // timer follows it.
    void PostRelease()
    {
        m_lateRelease.start();
        if (std::exchange(m_releasePosted, true))
            return;
        QMetaObject::invokeMethod(this, &KeyboardKeeper::Release, Qt::QueuedConnection);
    }

    // The held keys, in order, to whichever has the keyboard, until one of
    // them closes a prompt. One that opens a prompt runs its loop inside this
    // one, and that loop gives the new prompt the keys after. The browser may
    // run posted events between a prompt's closing and its destruction, when
    // the keys are for neither the prompt nor the window.
    void Release()
    {
        m_releasePosted = false;
        m_lateRelease.stop();
        while (!m_closing && Activate() && !m_held.empty()) {
            const std::unique_ptr<QKeyEvent> key = std::move(m_held.front());
            m_held.pop_front();
            QKeyEvent* const outer = std::exchange(m_replaying, key.get());
            QCoreApplication::sendEvent(QGuiApplication::focusWindow(), key.get());
            m_replaying = outer;
        }
    }

    QPointer<QWidget> m_window;
    std::deque<std::unique_ptr<QKeyEvent>> m_held;
    QKeyEvent* m_replaying = nullptr;
    QPointer<QWindow> m_closing;
    bool m_releasePosted = false;
    QTimer m_lateRelease;
};

} // namespace

void KeepKeyboard(QWidget& window) { new KeyboardKeeper(window); }

} // namespace morvelt
