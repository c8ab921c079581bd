// How the window opens, which inputs accept typing for each test type and
// wrong-answer rule, and the exit button.

#include "form/form_model.h"
#include "tests/support/window_test.h"

#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QTimer>

using morvelt::uitest::ClickControl;
using morvelt::uitest::Control;
using morvelt::uitest::ScriptedPrompter;
using morvelt::uitest::TypeInto;

namespace {

// The five sets of controls that the selection rules switch together.
const QStringList BCount{"Label1", "txtb"};
const QStringList CCount{"Label2", "txtc"};
const QStringList Weight{"Label8", "txtpeso", "Label7"};
const QStringList RuleChoice{"Label26", "Option5", "Option6"};
const QStringList Items{"Label3", "txtitem"};

// Everything else is enabled from start to end.
const QStringList AlwaysEnabled{
    "Frame1",  "Option1",  "Option2",   "Option3",   "Frame2",   "Text1",    "Text2",   "Label27",
    "Label28", "Command1", "Command2",  "Command3",  "Command4", "Command5", "Label4",  "Label5",
    "Label6",  "lblpunti", "lblvoto10", "lblvoto15", "Label9",   "Label10",  "Label11", "Label12",
    "Label13", "Label14",  "Label15",   "Label16",   "Label17",  "Label18",  "Label19", "Label20",
    "Label21", "Label22",  "Label23",   "Label24",   "Label25",  "Line1"};

const QStringList TestKindOptions{"Option1", "Option2", "Option3"};
const QStringList RuleOptions{"Option5", "Option6"};

// Enabled state of every named control of the window.
QMap<QString, bool> EnabledStates(QWidget& window)
{
    QMap<QString, bool> states;
    const auto children = window.findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_"))
            states.insert(child->objectName(), child->isEnabled());
    }
    return states;
}

QString Selected(QWidget& window, const QStringList& group)
{
    QStringList selected;
    for (const QString& name : group) {
        if (window.findChild<QRadioButton*>(name)->isChecked())
            selected << name;
    }
    return selected.join(',');
}

} // namespace

class WindowStateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensOnTypeBWithDefaults();
    void setsFollowSelection_data();
    void setsFollowSelection();
    void disabledFieldKeepsTextAndTakesNoInput();
    void textBoxTakesTextOfAnyLength_data();
    void textBoxTakesTextOfAnyLength();
    void repeatedActionChangesNothing_data();
    void repeatedActionChangesNothing();
    void freeFieldsAndCaptionsSurviveOptions();
    void exitClosesWindowAndEndsProgram();

private:
    void Click(const QStringList& names);

    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<morvelt::Form1> m_window;
};

void WindowStateTest::init()
{
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_window = morvelt::uitest::OpenWindow(m_prompter.get());
    QVERIFY2(m_window, "the window did not become active");
}

void WindowStateTest::cleanup()
{
    m_window.reset();
    m_prompter.reset();
}

void WindowStateTest::Click(const QStringList& names)
{
    for (const QString& name : names) {
        QVERIFY2(ClickControl(*m_window, name), qPrintable(name + " cannot be clicked"));
        QVERIFY2(Control<QRadioButton>(*m_window, qPrintable(name))->isChecked(),
                 qPrintable(name + " not selected by its click"));
    }
}

void WindowStateTest::opensOnTypeBWithDefaults()
{
    QWidget& w = *m_window;
    QCOMPARE(QApplication::focusWidget(), Control(w, "Option1"));
    QCOMPARE(Selected(w, TestKindOptions), QString("Option1"));
    QCOMPARE(Selected(w, RuleOptions), QString("Option6"));

    const QStringList on = BCount;
    const QStringList off = CCount + Weight + RuleChoice + Items;
    for (const QString& name : on + AlwaysEnabled)
        QVERIFY2(w.findChild<QWidget*>(name)->isEnabled(), qPrintable(name + " disabled"));
    for (const QString& name : off)
        QVERIFY2(!w.findChild<QWidget*>(name)->isEnabled(), qPrintable(name + " enabled"));

    // A greyed option cannot be selected.
    auto* penalize = Control<QRadioButton>(w, "Option5");
    QTest::mouseClick(penalize, Qt::LeftButton, {}, penalize->rect().center());
    QCOMPARE(Selected(w, RuleOptions), QString("Option6"));
    QVERIFY(!Control(w, "txtitem")->isEnabled());

    QCOMPARE(Control<QLineEdit>(w, "txtpeso")->text(), QString("2.5"));
    QCOMPARE(Control<QLineEdit>(w, "txtitem")->text(), QString("4"));
    for (const char* name : {"txtb", "txtc", "Text1", "Text2"})
        QVERIFY2(Control<QLineEdit>(w, name)->text().isEmpty(), name);
    for (const char* name : {"lblpunti", "lblvoto10", "lblvoto15"})
        QVERIFY2(Control<QLabel>(w, name)->text().isEmpty(), name);

    QCOMPARE(w.windowTitle(),
             QString("Valutazione Morvelt Tipologia B e C - https://morvelt.example"));
    QCOMPARE(Control<QLabel>(w, "Label9")->text(), QString("https://morvelt.example"));
    QCOMPARE(Control<QGroupBox>(w, "Frame2")->title(), QString());
    QVERIFY(Asked(*m_prompter).isEmpty() && Messages(*m_prompter).isEmpty());
}

void WindowStateTest::setsFollowSelection_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("testKind");
    QTest::addColumn<QString>("rule");
    // B count, C count, weight, rule choice, items
    QTest::addColumn<QList<bool>>("sets");

    using L = QStringList;
    using S = QList<bool>;
    QTest::newRow("at start: B, SameAsBlank kept but greyed")
        << L{} << "Option1" << "Option6" << S{1, 0, 0, 0, 0};
    QTest::newRow("C with the stored SameAsBlank: items stay off")
        << L{"Option2"} << "Option2" << "Option6" << S{0, 1, 0, 1, 0};
    QTest::newRow("C then Penalize: items on")
        << L{"Option2", "Option5"} << "Option2" << "Option5" << S{0, 1, 0, 1, 1};
    QTest::newRow("C, Penalize, SameAsBlank: items off again")
        << L{"Option2", "Option5", "Option6"} << "Option2" << "Option6" << S{0, 1, 0, 1, 0};
    QTest::newRow("Mixed with SameAsBlank: all but items")
        << L{"Option3"} << "Option3" << "Option6" << S{1, 1, 1, 1, 0};
    QTest::newRow("Mixed then Penalize: every set")
        << L{"Option3", "Option5"} << "Option3" << "Option5" << S{1, 1, 1, 1, 1};
    QTest::newRow("Mixed Penalize then B: only B count, Penalize kept greyed")
        << L{"Option3", "Option5", "Option1"} << "Option1" << "Option5" << S{1, 0, 0, 0, 0};
    QTest::newRow("C Penalize, B, C again: Penalize still selected, items on")
        << L{"Option2", "Option5", "Option1", "Option2"} << "Option2" << "Option5"
        << S{0, 1, 0, 1, 1};
    QTest::newRow("Mixed Penalize then C: B count and weight off, items stay on")
        << L{"Option3", "Option5", "Option2"} << "Option2" << "Option5" << S{0, 1, 0, 1, 1};
    QTest::newRow("C SameAsBlank then Mixed: weight on, items still off")
        << L{"Option2", "Option3"} << "Option3" << "Option6" << S{1, 1, 1, 1, 0};
    QTest::newRow("Mixed Penalize, SameAsBlank, B, Mixed: items off")
        << L{"Option3", "Option5", "Option6", "Option1", "Option3"} << "Option3" << "Option6"
        << S{1, 1, 1, 1, 0};
    // clang-format on
}

void WindowStateTest::setsFollowSelection()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, testKind);
    QFETCH(QString, rule);
    QFETCH(QList<bool>, sets);

    Click(clicks);
    QCOMPARE(Selected(*m_window, TestKindOptions), testKind);
    QCOMPARE(Selected(*m_window, RuleOptions), rule);

    const QList<QStringList> members{BCount, CCount, Weight, RuleChoice, Items};
    for (qsizetype set = 0; set < members.size(); ++set) {
        for (const QString& name : members[set]) {
            QVERIFY2(m_window->findChild<QWidget*>(name)->isEnabled() == sets[set],
                     qPrintable(name + (sets[set] ? " should be enabled" : " should be disabled")));
        }
    }
    for (const QString& name : AlwaysEnabled)
        QVERIFY2(m_window->findChild<QWidget*>(name)->isEnabled(), qPrintable(name + " disabled"));

    // The rules switch enabled states only.
    QCOMPARE(Control<QLineEdit>(*m_window, "txtpeso")->text(), QString("2.5"));
    QCOMPARE(Control<QLineEdit>(*m_window, "txtitem")->text(), QString("4"));
    QVERIFY(Asked(*m_prompter).isEmpty() && Messages(*m_prompter).isEmpty());
}

void WindowStateTest::disabledFieldKeepsTextAndTakesNoInput()
{
    auto* txtc = Control<QLineEdit>(*m_window, "txtc");
    Click({"Option2"});
    TypeInto(*m_window, "txtc", "12");
    QCOMPARE(txtc->text(), QString("12"));

    Click({"Option1"});
    QVERIFY(!txtc->isEnabled());
    QCOMPARE(txtc->text(), QString("12"));
    TypeInto(*m_window, "txtc", "7");
    QCOMPARE(txtc->text(), QString("12"));

    Click({"Option2"});
    QVERIFY(txtc->isEnabled());
    QCOMPARE(txtc->text(), QString("12"));
    TypeInto(*m_window, "txtc", "3");
    QCOMPARE(txtc->text(), QString("123"));
}

void WindowStateTest::textBoxTakesTextOfAnyLength_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"txtb", "txtc", "txtpeso", "txtitem", "Text1", "Text2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void WindowStateTest::textBoxTakesTextOfAnyLength()
{
    QFETCH(QString, name);
    Click({"Option3", "Option5"}); // every field accepts input
    auto* field = Control<QLineEdit>(*m_window, qPrintable(name));
    QVERIFY(field && field->isEnabled());

    const QString longText = QString("1234567890").repeated(4000);
    morvelt::uitest::PasteOver(*field, longText);
    QCOMPARE(field->text().size(), longText.size());
    QCOMPARE(field->text(), longText);
}

void WindowStateTest::repeatedActionChangesNothing_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("option");

    QTest::newRow("B twice is B once") << QStringList{"Option2", "Option1"} << "Option1";
    QTest::newRow("C twice is C once") << QStringList{"Option3", "Option5", "Option2"}
                                       << "Option2";
    QTest::newRow("Mixed twice is Mixed once") << QStringList{"Option3"} << "Option3";
    QTest::newRow("Penalize twice is Penalize once") << QStringList{"Option2", "Option5"}
                                                     << "Option5";
    QTest::newRow("SameAsBlank twice is SameAsBlank once")
        << QStringList{"Option3", "Option5", "Option6"} << "Option6";
    // clang-format on
}

void WindowStateTest::repeatedActionChangesNothing()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, option);

    Click(clicks);
    const QMap<QString, bool> once = EnabledStates(*m_window);

    // Clicking the selected option again, then running its action again.
    Click({option});
    QCOMPARE(EnabledStates(*m_window), once);
    const QMap<QString, void (morvelt::FormModel::*)()> actions{
        {"Option1", &morvelt::FormModel::Option1_Click},
        {"Option2", &morvelt::FormModel::Option2_Click},
        {"Option3", &morvelt::FormModel::Option3_Click},
        {"Option5", &morvelt::FormModel::Option5_Click},
        {"Option6", &morvelt::FormModel::Option6_Click}};
    (m_window->Model().*actions.value(option))();
    QCOMPARE(EnabledStates(*m_window), once);
}

void WindowStateTest::freeFieldsAndCaptionsSurviveOptions()
{
    TypeInto(*m_window, "Text1", "Maria Rossi");
    TypeInto(*m_window, "Text2", "3B");
    TypeInto(*m_window, "txtb", "1");
    m_prompter->SetScript({"5"});
    QVERIFY(ClickControl(*m_window, "Command1"));
    QCOMPARE(Control<QLabel>(*m_window, "lblpunti")->text(), QString(" +5 =  5 su  5"));
    QCOMPARE(Control<QLabel>(*m_window, "lblvoto10")->text(), QString("10,00"));
    QCOMPARE(Control<QLabel>(*m_window, "lblvoto15")->text(), QString("15"));

    Click({"Option2", "Option5", "Option3", "Option6", "Option1"});
    QCOMPARE(Control<QLineEdit>(*m_window, "Text1")->text(), QString("Maria Rossi"));
    QCOMPARE(Control<QLineEdit>(*m_window, "Text2")->text(), QString("3B"));
    QCOMPARE(Control<QLineEdit>(*m_window, "txtb")->text(), QString("1"));
    QCOMPARE(Control<QLabel>(*m_window, "lblpunti")->text(), QString(" +5 =  5 su  5"));
    QCOMPARE(Control<QLabel>(*m_window, "lblvoto10")->text(), QString("10,00"));
    QCOMPARE(Control<QLabel>(*m_window, "lblvoto15")->text(), QString("15"));
}

void WindowStateTest::exitClosesWindowAndEndsProgram()
{
    // Values entered and a calculation pending: still no question.
    TypeInto(*m_window, "txtb", "3");
    TypeInto(*m_window, "Text1", "Maria Rossi");

    // Only a hang guard: the program must end well before it fires.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(60000);
    QTimer::singleShot(0, m_window.get(), [this] { ClickControl(*m_window, "Command2"); });

    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!m_window->isVisible());
    QVERIFY(Asked(*m_prompter).isEmpty() && Messages(*m_prompter).isEmpty());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

MORVELT_UI_TEST_MAIN(WindowStateTest)

#include "window_state_test.moc"
