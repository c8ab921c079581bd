#include "app/running_mark.h"
#include "page/window_face.h"
#include "ui/form1.h"
#include "ui/identity.h"
#include "ui/quit_on_terminate.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(morvelt::ApplicationTitle));
    // The desktop entry this program is: a Wayland desktop finds its name and
    // icon by it.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(morvelt::DesktopEntry));
    // The prompts and messages speak in the window's face, and no other face
    // is loaded at start.
    morvelt::LoadWindowFaces();
    QApplication::setFont(morvelt::WindowFace());

    // Asked to end, the program ends as on Esci; pages on their way are left
    // to their print helpers.
    morvelt::QuitOnTerminate();
    // Seen running, the program's files are not replaced or removed under it.
    morvelt::MarkRunning();

    morvelt::Form1 window;
    window.show();
    return QApplication::exec();
}
