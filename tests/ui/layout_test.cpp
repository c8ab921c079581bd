// The window's stored layout: every control's place, size, container and
// caption, the faces, what covers what, the tab order, and whether each
// caption fits its box in the face the window uses.

#include "calc/grade_conversion.h"
#include "tests/support/window_test.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleOptionButton>

#include <algorithm>

using morvelt::uitest::Caption;
using morvelt::uitest::Control;
using morvelt::uitest::ScriptedPrompter;

namespace {

struct Placement {
    const char* name;
    const char* container;
    int left, top, width, height; // twips, from the container's top-left corner
    const char* caption;          // TableRow for a row of the table of fifteenths
    int lines;                    // how many lines the caption takes in its box; 0 for no caption
};

// A row's caption is the calculation's table, which tableRows reads back.
constexpr const char* TableRow = nullptr;

// clang-format off
const Placement Layout[] = {
    {"Frame1", "Form1", 240, 120, 1695, 1575, "Tipologia", 1},
    {"Option1", "Frame1", 360, 360, 735, 300, "B", 1},
    {"Option2", "Frame1", 360, 720, 735, 300, "C", 1},
    {"Option3", "Frame1", 360, 1080, 1215, 300, "Mista B-C", 1},
    {"Label28", "Form1", 2280, 120, 975, 255, "CLASSE", 1},
    {"Text2", "Form1", 2280, 360, 2655, 285, "", 0},
    {"Label27", "Form1", 5280, 120, 975, 255, "STUDENTE", 1},
    {"Text1", "Form1", 5280, 360, 5895, 285, "", 0},
    {"Label1", "Form1", 240, 1800, 2145, 255, "Numero di quesiti tipologia B", 1},
    {"txtb", "Form1", 2400, 1745, 400, 285, "", 0},
    {"Command5", "Form1", 2900, 1745, 255, 270, "?", 1},
    {"Label2", "Form1", 3360, 1800, 3015, 495, "Numero di quesiti tipologia C", 1},
    {"txtc", "Form1", 5500, 1745, 400, 285, "", 0},
    {"Command4", "Form1", 6000, 1745, 255, 270, "?", 1},
    {"Label8", "Form1", 6480, 1800, 2655, 375, "Ogni quesito di tipo B \"pesa\" come", 1},
    {"txtpeso", "Form1", 9120, 1745, 375, 285, "2.5", 0},
    {"Label7", "Form1", 9480, 1800, 1335, 375, "quesiti di tipo C", 1},
    {"Label26", "Form1", 240, 2520, 5415, 255,
     "Per i quesiti tipologia C, discriminare tra risposta non data e risposta errata?", 1},
    {"Frame2", "Form1", 5520, 2200, 5655, 1150, "", 0},
    {"Option6", "Frame2", 120, 120, 2415, 420,
     "La risposta errata vale come la risposta non data", 2},
    {"Option5", "Frame2", 2760, 120, 2535, 420,
     "Penalizza la risposta errata rispetto alla risposta non data", 2},
    {"Label3", "Frame2", 3000, 580, 1440, 495, "Numero di risposte (item) per quesito", 2},
    {"txtitem", "Frame2", 4440, 700, 375, 285, "4", 0},
    {"Command1", "Form1", 240, 3480, 10935, 495, "INSERISCI I PUNTEGGI E CALCOLA IL VOTO", 1},
    {"Label4", "Form1", 240, 4215, 1455, 375, "Punteggio totale", 1},
    {"lblpunti", "Form1", 1470, 4215, 9675, 450, "", 0},
    {"Label5", "Form1", 240, 4950, 1455, 375, "Voto in decimi", 1},
    {"lblvoto10", "Form1", 1800, 4920, 735, 345, "", 0},
    {"Label6", "Form1", 240, 5430, 1575, 375, "Voto in quindicesimi", 1},
    {"lblvoto15", "Form1", 1800, 5400, 735, 345, "", 0},
    {"Label10", "Form1", 3120, 4680, 2775, 255, "Corrispondenza Decimi - Quindicesimi", 1},
    {"Label11", "Form1", 4080, 4905, 1095, 180, TableRow, 1},
    {"Label12", "Form1", 4080, 5100, 1095, 180, TableRow, 1},
    {"Label14", "Form1", 4080, 5295, 1095, 180, TableRow, 1},
    {"Label13", "Form1", 4080, 5505, 1095, 180, TableRow, 1},
    {"Label15", "Form1", 4080, 5700, 1095, 180, TableRow, 1},
    {"Label16", "Form1", 4080, 5895, 1095, 180, TableRow, 1},
    {"Label17", "Form1", 4080, 6105, 1095, 180, TableRow, 1},
    {"Label18", "Form1", 4080, 6300, 1095, 180, TableRow, 1},
    {"Label19", "Form1", 4080, 6495, 1095, 180, TableRow, 1},
    {"Label20", "Form1", 4080, 6705, 1095, 180, TableRow, 1},
    {"Label21", "Form1", 4080, 6900, 1095, 180, TableRow, 1},
    {"Label22", "Form1", 4080, 7095, 1095, 180, TableRow, 1},
    {"Label23", "Form1", 4080, 7305, 1095, 180, TableRow, 1},
    {"Label24", "Form1", 4080, 7500, 1095, 180, TableRow, 1},
    {"Label25", "Form1", 4080, 7695, 1095, 180, TableRow, 1},
    {"Line1", "Form1", 4800, 4920, 15, 3000, "", 0},
    {"Command3", "Form1", 240, 7080, 975, 495, "STAMPA", 1},
    {"Command2", "Form1", 1560, 7080, 975, 495, "Esci", 1},
    {"Label9", "Form1", 240, 7680, 1695, 200, "https://morvelt.example", 1},
};
// clang-format on

int Pixels(int twips) { return qRound(twips / 15.0); }

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void placement_data();
    void placement();
    void captionFitsItsBox_data();
    void captionFitsItsBox();
    void windowShowsEveryControl();
    void coveringControls_data();
    void coveringControls();
    void faces_data();
    void faces();
    void tabChain();
    void tableRows();

private:
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<morvelt::Form1> m_window;
};

void LayoutTest::initTestCase()
{
    // Every pixel below assumes 96 dots per inch (15 twips per pixel).
    QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInch(), 96.0);
}

void LayoutTest::init()
{
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_window = morvelt::uitest::OpenWindow(m_prompter.get());
    QVERIFY2(m_window, "the window did not become active");
}

void LayoutTest::cleanup()
{
    m_window.reset();
    m_prompter.reset();
}

void LayoutTest::placement_data()
{
    // clang-format off
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(Layout)); ++row) {
        const Placement& p = Layout[row];
        QTest::addRow("%s in %s at (%d, %d) size %d x %d twips", p.name, p.container, p.left,
                      p.top, p.width, p.height)
            << row;
    }
    // clang-format on
}

void LayoutTest::placement()
{
    QFETCH(int, row);
    const Placement& p = Layout[row];
    QWidget* control = Control(*m_window, p.name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), QString::fromLatin1(p.container));

    const QRect box = control->geometry();
    const QRect stored(Pixels(p.left), Pixels(p.top), Pixels(p.width), Pixels(p.height));
    const auto near = [](int actual, int expected) { return qAbs(actual - expected) <= 1; };
    QVERIFY2(near(box.x(), stored.x()) && near(box.y(), stored.y())
                 && near(box.width(), stored.width()) && near(box.height(), stored.height()),
             qPrintable(QString("at (%1, %2) %3 x %4, stored (%5, %6) %7 x %8")
                            .arg(box.x())
                            .arg(box.y())
                            .arg(box.width())
                            .arg(box.height())
                            .arg(stored.x())
                            .arg(stored.y())
                            .arg(stored.width())
                            .arg(stored.height())));
    if (p.caption != TableRow)
        QCOMPARE(Caption(control), QString::fromUtf8(p.caption));
}

void LayoutTest::captionFitsItsBox_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(Layout)); ++row) {
        const Placement& p = Layout[row];
        if (p.lines > 0)
            QTest::addRow("%s caption takes %d line(s)", p.name, p.lines) << row;
    }
}

void LayoutTest::captionFitsItsBox()
{
    QFETCH(int, row);
    const Placement& p = Layout[row];
    QWidget* control = Control(*m_window, p.name);
    QVERIFY(control);
    const QString caption = Caption(control);
    const QFontMetrics metrics(control->font());
    int width = control->width();
    int height = control->height();

    if (QByteArray(p.name) == "Label26") {
        // Frame2 covers the end of its box.
        width = Control(*m_window, "Frame2")->x() - control->x();
        QCOMPARE(width, 352);
    } else if (auto* option = qobject_cast<QRadioButton*>(control)) {
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = caption;
        width =
            option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option).width();
    } else if (qobject_cast<QGroupBox*>(control)) {
        height = metrics.height(); // the title runs along the top edge
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QStyleOptionButton style;
        style.initFrom(button);
        style.text = caption;
        width =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &style, button).width();
    }

    const int big = 10000;
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, width, big), Qt::TextWordWrap, caption);
    const QRect oneLine = metrics.boundingRect(QRect(0, 0, big, big), 0, caption);
    const QString measured = QString("%1 x %2 px in a box of %3 x %4")
                                 .arg(wrapped.width())
                                 .arg(wrapped.height())
                                 .arg(width)
                                 .arg(height);
    QVERIFY2(wrapped.height() <= height, qPrintable("cut: " + measured));
    if (p.lines == 1) {
        QVERIFY2(wrapped.height() == oneLine.height(), qPrintable("wraps: " + measured));
        QVERIFY2(oneLine.width() <= width, qPrintable("too wide: " + measured));
    } else {
        QVERIFY2(wrapped.height() > oneLine.height(), qPrintable("one line: " + measured));
        QVERIFY2(wrapped.height() < oneLine.height() + 2 * metrics.lineSpacing(),
                 qPrintable("more than two lines: " + measured));
    }
}

void LayoutTest::windowShowsEveryControl()
{
    // The client area must hold the layout plus the same 16-pixel margin as on
    // the left.
    QVERIFY2(m_window->width() >= 761, qPrintable(QString::number(m_window->width())));
    for (const Placement& p : Layout) {
        QWidget* control = Control(*m_window, p.name);
        const QRect box(control->mapTo(m_window.get(), QPoint(0, 0)), control->size());
        QVERIFY2(box.x() + box.width() + 16 <= m_window->width(),
                 qPrintable(QString("%1 ends at %2").arg(p.name).arg(box.x() + box.width())));
        QVERIFY2(box.y() + box.height() <= m_window->height(),
                 qPrintable(QString("%1 ends at %2").arg(p.name).arg(box.y() + box.height())));
    }
}

void LayoutTest::coveringControls_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("topmost");

    QTest::newRow("Frame2 covers the end of Label26") << QPoint(372, 175) << "Frame2";
    QTest::newRow("txtc covers Label2") << QPoint(380, 125) << "txtc";
    QTest::newRow("Command4 covers Label2") << QPoint(408, 125) << "Command4";
    QTest::newRow("txtpeso covers the left edge of Label8") << QPoint(608, 125) << "txtpeso";
    QTest::newRow("Line1 crosses the first table row") << QPoint(320, 333) << "Line1";
    QTest::newRow("Line1 crosses the last table row") << QPoint(320, 518) << "Line1";
}

void LayoutTest::coveringControls()
{
    QFETCH(QPoint, point);
    QFETCH(QString, topmost);
    QWidget* hit = m_window->childAt(point);
    QVERIFY(hit);
    QCOMPARE(hit->objectName(), topmost);
}

void LayoutTest::faces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");

    QTest::newRow("Command1 8.25 bold") << "Command1" << 8.25 << true;
    QTest::newRow("lblvoto10 12 bold") << "lblvoto10" << 12.0 << true;
    QTest::newRow("lblvoto15 12 bold") << "lblvoto15" << 12.0 << true;
    QTest::newRow("Text1 9.75 regular") << "Text1" << 9.75 << false;
    QTest::newRow("a label in the default 8.25 regular") << "Label26" << 8.25 << false;
    QTest::newRow("an option in the default 8.25 regular") << "Option5" << 8.25 << false;
    QTest::newRow("a text box in the default 8.25 regular") << "txtb" << 8.25 << false;
    QTest::newRow("a table row in the default 8.25 regular") << "Label11" << 8.25 << false;
}

void LayoutTest::faces()
{
    QFETCH(QString, name);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QWidget* control = m_window->findChild<QWidget*>(name);
    QVERIFY(control);
    // The face must be installed, not replaced by a fallback with other metrics.
    const QFontInfo face(control->font());
    QCOMPARE(face.family(), QString("FreeSans"));
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(face.bold(), bold);
}

void LayoutTest::tabChain()
{
    const QStringList expected{"Option1",  "Option2",  "Option3",  "txtb",    "txtc",    "Command1",
                               "Command2", "txtpeso",  "Option5",  "Option6", "txtitem", "Text1",
                               "Text2",    "Command3", "Command5", "Command4"};
    QWidget* start = Control(*m_window, "Option1");
    QStringList chain{start->objectName()};
    for (QWidget* w = start->nextInFocusChain(); w != start && chain.size() < 200;
         w = w->nextInFocusChain()) {
        // Not TabFocus: Qt takes it from the unselected members of an option
        // group, which still hold their place in the chain.
        if (m_window->isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus)
            chain << w->objectName();
    }
    QCOMPARE(chain, expected);
}

// The table of fifteenths that the window shows, and prints, is the one the
// calculation grades by: the nth row from the top reads "fino a", the nth
// bound and n; the last, "oltre", the last bound and 15.
void LayoutTest::tableRows()
{
    QList<QLabel*> rows;
    for (int label = 11; label <= 25; ++label)
        rows << m_window->findChild<QLabel*>(QStringLiteral("Label%1").arg(label));
    QVERIFY(!rows.contains(nullptr));
    std::sort(rows.begin(), rows.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    QCOMPARE(rows.size(), qsizetype(morvelt::FifteenthsTable.size() + 1));

    static const QRegularExpression row(QStringLiteral(R"(^(fino a|oltre) +(\d),(\d) +(\d+) ?$)"));
    for (qsizetype n = 1; n <= rows.size(); ++n) {
        const QString caption = rows[n - 1]->text();
        const QRegularExpressionMatch match = row.match(caption);
        QVERIFY2(match.hasMatch(), qPrintable(caption));
        const bool last = n == rows.size();
        const double bound = morvelt::FifteenthsTable[last ? n - 2 : n - 1];
        QCOMPARE(match.captured(1), last ? QStringLiteral("oltre") : QStringLiteral("fino a"));
        // The bound is the double nearest to the decimal shown.
        const int tenths = match.captured(2).toInt() * 10 + match.captured(3).toInt();
        QVERIFY2(bound == tenths / 10.0, qPrintable(caption));
        QCOMPARE(match.captured(4).toInt(), n);
    }
}

MORVELT_UI_TEST_MAIN(LayoutTest)

#include "layout_test.moc"
