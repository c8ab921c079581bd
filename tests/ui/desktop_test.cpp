// The window on a desktop unlike the plain default: a dark colour scheme,
// handed to the application the way a desktop's theme hands it over, and a
// fractional scale of 150 %. Read on the pixels the window paints, every
// caption must stand out from its background, greyed ones visibly grey, and
// both frames must keep all four edges.

#include "tests/support/window_test.h"

#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>

#include <cmath>

using morvelt::uitest::Caption;
using morvelt::uitest::Control;
using morvelt::uitest::ScriptedPrompter;
using morvelt::uitest::TypeInto;

namespace {

constexpr double Scale = 1.5;

// A dark scheme as a GNOME or KDE theme gives it: light text on dark
// surfaces, greyed text a middle grey.
QPalette DarkScheme()
{
    QPalette dark;
    const auto set = [&](QPalette::ColorRole role, QRgb normal, QRgb disabled) {
        dark.setColor(QPalette::Active, role, QColor(normal));
        dark.setColor(QPalette::Inactive, role, QColor(normal));
        dark.setColor(QPalette::Disabled, role, QColor(disabled));
    };
    set(QPalette::WindowText, 0xeeeeec, 0x919190);
    set(QPalette::Text, 0xeeeeec, 0x919190);
    set(QPalette::ButtonText, 0xeeeeec, 0x919190);
    set(QPalette::BrightText, 0xffffff, 0xffffff);
    set(QPalette::Window, 0x353535, 0x353535);
    set(QPalette::Base, 0x2d2d2d, 0x353535);
    set(QPalette::AlternateBase, 0x323232, 0x323232);
    set(QPalette::Button, 0x3a3a3a, 0x353535);
    set(QPalette::Light, 0x505050, 0x505050);
    set(QPalette::Midlight, 0x444444, 0x444444);
    set(QPalette::Mid, 0x2a2a2a, 0x2a2a2a);
    set(QPalette::Dark, 0x1f1f1f, 0x1f1f1f);
    set(QPalette::Shadow, 0x111111, 0x111111);
    set(QPalette::Highlight, 0x3584e4, 0x4a4a4a);
    set(QPalette::HighlightedText, 0xffffff, 0x919190);
    return dark;
}

// Fusion under a dark desktop theme, whose own palette is then the theme's.
class ThemedFusion : public QProxyStyle {
public:
    ThemedFusion()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }
    QPalette standardPalette() const override { return DarkScheme(); }
};

// sRGB relative luminance and contrast ratio, as in WCAG 2.
double Luminance(QRgb rgb)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The window as it paints itself, in device pixels.
QImage Painted(QWidget& window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A control's box in the window, in device pixels.
QRect DeviceBox(QWidget& window, QWidget& control)
{
    const QRectF box(control.mapTo(&window, QPoint(0, 0)), control.size());
    return QRectF(box.topLeft() * Scale, box.size() * Scale).toAlignedRect();
}

// Takes a control's caption away, or puts it back: its text, its title, or
// for the line the line itself.
void ShowCaption(QWidget& control, const QString& caption, bool shown)
{
    const QString text = shown ? caption : QString();
    if (auto* label = qobject_cast<QLabel*>(&control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(&control))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(&control))
        frame->setTitle(text);
    else if (auto* field = qobject_cast<QLineEdit*>(&control))
        field->setText(text);
    else
        control.setVisible(shown);
}

// How far a caption stands out: the strongest contrast between a pixel as
// painted with the caption and the same pixel painted without it.
double CaptionContrast(QWidget& window, QWidget& control)
{
    const QString caption = Caption(&control);
    const QImage with = Painted(window);
    ShowCaption(control, caption, false);
    const QImage without = Painted(window);
    ShowCaption(control, caption, true);

    double strongest = 1;
    const QRect box = DeviceBox(window, control) & with.rect();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            strongest = std::max(strongest, Contrast(with.pixel(x, y), without.pixel(x, y)));
    }
    return strongest;
}

// Whether a whole row (or column) of device pixels along an edge of a frame,
// within two pixels of where the edge belongs, is painted in something other
// than the window's white. The stretch looked at leaves out the ends and,
// on the top edge, the caption.
bool EdgeShows(const QImage& image, const QRect& frame, int topOffset, const QString& edge)
{
    const bool horizontal = edge == QLatin1String("top") || edge == QLatin1String("bottom");
    const int expected = edge == QLatin1String("top")      ? frame.top() + topOffset
                         : edge == QLatin1String("bottom") ? frame.bottom()
                         : edge == QLatin1String("left")   ? frame.left()
                                                           : frame.right();
    const int from = horizontal ? frame.left() + frame.width() * 6 / 10
                                : frame.top() + topOffset + frame.height() / 10;
    const int to = horizontal ? frame.left() + frame.width() * 9 / 10
                              : frame.bottom() - frame.height() / 10;
    for (int line = expected - 2; line <= expected + 2; ++line) {
        bool whole = true;
        for (int along = from; along <= to && whole; ++along) {
            const QPoint at = horizontal ? QPoint(along, line) : QPoint(line, along);
            whole = image.rect().contains(at) && image.pixel(at) != qRgb(255, 255, 255);
        }
        if (whole)
            return true;
    }
    return false;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), Scale);
        // As a platform theme does, before any window exists.
        QApplication::setStyle(new ThemedFusion);
        QApplication::setPalette(DarkScheme());
        for (const char* kind : {"QLabel", "QPushButton", "QRadioButton", "QGroupBox", "QLineEdit"})
            QApplication::setPalette(DarkScheme(), kind);
    }

    // The window after a type-B test, with the student's name and class.
    void init()
    {
        m_prompter = std::make_unique<ScriptedPrompter>(
            std::initializer_list<morvelt::fakes::Reply>{"4", "5", "3"});
        m_window = morvelt::uitest::OpenWindow(m_prompter.get());
        QVERIFY(m_window);
        QVERIFY(TypeInto(*m_window, "Text1", "Maria Rossi"));
        QVERIFY(TypeInto(*m_window, "Text2", "3B"));
        QVERIFY(TypeInto(*m_window, "txtb", "3"));
        QVERIFY(morvelt::uitest::ClickControl(*m_window, "Command1"));
        QCOMPARE(Control<QLabel>(*m_window, "lblvoto15")->text(), QStringLiteral("13"));
        // No text cursor blinks while the pixels are read.
        Control(*m_window, "Option1")->setFocus();
    }
    void cleanup()
    {
        m_window.reset();
        m_prompter.reset();
    }

    void captionStandsOutFromItsBackground_data()
    {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("greyed");

        for (const char* name :
             {"Frame1", "Option1", "Option2", "Option3", "Label28", "Label27", "Text2", "Text1",
              "Label1", "txtb", "Command5", "Command4", "Command1", "Label4", "lblpunti",
              "Label5", "lblvoto10", "Label6", "lblvoto15", "Label10", "Label11", "Label18",
              "Label25", "Line1", "Command3", "Command2"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
        // Greyed under B, and the web address in its inactive grey.
        for (const char* name : {"Label2", "Label8", "txtpeso", "Label7", "Label26", "Option6",
                                 "Option5", "Label3", "txtitem", "Label9"})
            QTest::addRow("%s, greyed", name) << QString::fromLatin1(name) << true;
        // clang-format on
    }
    void captionStandsOutFromItsBackground()
    {
        QFETCH(QString, name);
        QFETCH(bool, greyed);
        QWidget* control = Control(*m_window, qPrintable(name));
        QVERIFY(control);

        const double contrast = CaptionContrast(*m_window, *control);
        const QString measured = QStringLiteral("contrast %1:1").arg(contrast, 0, 'f', 2);
        if (greyed) {
            // Seen, and plainly lighter than the captions in use.
            QVERIFY2(contrast >= 1.5 && contrast < 4.5, qPrintable(measured));
        } else {
            QVERIFY2(contrast >= 7, qPrintable(measured));
        }
    }

    void frameEdgesShow_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("edge");
        for (const char* frame : {"Frame1", "Frame2"}) {
            for (const char* edge : {"top", "bottom", "left", "right"})
                QTest::addRow("%s %s", frame, edge) << frame << edge;
        }
    }
    void frameEdgesShow()
    {
        QFETCH(QString, frame);
        QFETCH(QString, edge);
        auto* box = Control<QGroupBox>(*m_window, qPrintable(frame));
        QVERIFY(box);
        // The border runs through the middle of the caption's line.
        const int captionMiddle = box->title().isEmpty()
                                      ? 0
                                      : qRound(box->fontMetrics().height() / 2 * Scale);
        QVERIFY(EdgeShows(Painted(*m_window), DeviceBox(*m_window, *box), captionMiddle, edge));
    }

    // The icon the desktop shows for the window, in both sizes the program
    // carries.
    void windowShowsItsIcon()
    {
        QCOMPARE(m_window->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    }

private:
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<morvelt::Form1> m_window;
};

MORVELT_UI_TEST_MAIN_PREPARED(DesktopTest,
                              [] { qputenv("QT_SCALE_FACTOR", QByteArray::number(Scale)); })

#include "desktop_test.moc"
