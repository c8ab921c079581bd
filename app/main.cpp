#include "ui/form1.h"
#include "ui/identity.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(morvelt::ApplicationTitle));

    morvelt::Form1 window;
    window.show();
    return QApplication::exec();
}
