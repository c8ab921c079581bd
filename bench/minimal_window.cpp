// A bare Qt Widgets program with a window of Form1's size and the same number
// and kinds of controls, at fixed places, with Qt's defaults for everything
// else: what start-up costs when the program adds nothing of its own.

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Minimal"));

    QWidget window;
    window.resize(761, 554);
    window.setWindowTitle(QStringLiteral("Minimal window"));

    // Form1 holds two group boxes, one with three options and one with two
    // options, a label and a line edit; the rest sit on the window itself.
    auto* group1 = new QGroupBox(QStringLiteral("Gruppo 1"), &window);
    group1->setGeometry(16, 8, 113, 105);
    auto* group2 = new QGroupBox(QStringLiteral("Gruppo 2"), &window);
    group2->setGeometry(368, 147, 377, 77);
    for (int i = 0; i < 3; ++i)
        new QRadioButton(QStringLiteral("Opzione %1").arg(i + 1), group1);
    for (int i = 0; i < 2; ++i)
        new QRadioButton(QStringLiteral("Opzione %1").arg(i + 4), group2);
    const auto options1 = group1->findChildren<QRadioButton*>();
    for (int i = 0; i < options1.size(); ++i)
        options1[i]->setGeometry(8, 24 + 24 * i, 97, 20);
    const auto options2 = group2->findChildren<QRadioButton*>();
    for (int i = 0; i < options2.size(); ++i)
        options2[i]->setGeometry(8 + 184 * i, 20, 161, 20);
    auto* groupLabel = new QLabel(QStringLiteral("Etichetta 31"), group2);
    groupLabel->setGeometry(200, 48, 90, 17);
    auto* groupEdit = new QLineEdit(group2);
    groupEdit->setGeometry(296, 47, 25, 19);

    // 30 labels in two columns on the right.
    for (int i = 0; i < 30; ++i) {
        auto* label = new QLabel(QStringLiteral("Etichetta %1").arg(i + 1), &window);
        label->setGeometry(440 + 150 * (i / 15), 232 + 20 * (i % 15), 140, 17);
    }
    // 5 line edits and 5 push buttons in rows on the left.
    for (int i = 0; i < 5; ++i) {
        auto* edit = new QLineEdit(&window);
        edit->setGeometry(152, 24 + 24 * i, 177, 19);
        auto* button = new QPushButton(QStringLiteral("Pulsante %1").arg(i + 1), &window);
        button->setGeometry(16, 232 + 40 * i, 200, 33);
    }
    auto* line = new QFrame(&window);
    line->setFrameShape(QFrame::VLine);
    line->setGeometry(320, 328, 1, 200);

    window.show();
    return QApplication::exec();
}
