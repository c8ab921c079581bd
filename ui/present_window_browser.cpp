#include "ui/present_window.h"

#include "ui/form1.h"
#include "ui/keep_keyboard_browser.h"

#include <QGuiApplication>

#include <emscripten/val.h>

namespace morvelt {

// The page (index.html) draws the program in a canvas of the window's own
// size and offers morveltShow(width, height, title) and morveltClosed(),
// which puts the closing line in its place. The window fills the canvas,
// with no frame of Qt's own: the browser's is the frame.
void PresentWindow(Form1& window)
{
    const emscripten::val page = emscripten::val::global();
    page.call<void>("morveltShow", window.width(), window.height(),
                    window.windowTitle().toStdString());
    // The browser's main loop never returns, so the program never hears
    // aboutToQuit: Esci is seen as the window's closing.
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, qApp,
                     [] { emscripten::val::global().call<void>("morveltClosed"); });
    KeepKeyboard(window);
    window.showFullScreen();
}

} // namespace morvelt
