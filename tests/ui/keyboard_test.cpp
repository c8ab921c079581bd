// A calculation from start to end without the mouse, and what a screen reader
// is told about each field.

#include "tests/support/window_test.h"

#include <QAccessible>
#include <QDeadlineTimer>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace morvelt;
using namespace morvelt::uitest;

namespace {

QString FocusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("<none>");
}

// The focus path that Tab (or Backtab) takes from the focused control, one
// name a press, until it comes back where it started.
QStringList TabRound(Qt::Key key)
{
    QStringList path;
    const QString start = FocusName();
    for (int presses = 0; presses < 30; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), key);
        if (FocusName() == start)
            return path;
        path << FocusName();
    }
    path << QStringLiteral("<no way back>");
    return path;
}

QStringList Reversed(QStringList names)
{
    std::reverse(names.begin(), names.end());
    return names;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_window = OpenWindow(m_prompter.get());
        QVERIFY(m_window);
    }
    void cleanup()
    {
        m_window.reset();
        m_prompter.reset();
    }

    void tabSkipsDisabledControlsAndEntersGroupsAtTheirSelection_data()
    {
        // clang-format off
        QTest::addColumn<QList<Qt::Key>>("arrows"); // pressed on Option1 first
        QTest::addColumn<QStringList>("round");     // Tab from the test type onwards
        QTest::newRow("B: only txtb among the shape fields")
            << QList<Qt::Key>{}
            << QStringList{"txtb", "Command1", "Command2", "Text1", "Text2", "Command3",
                           "Command5", "Command4"};
        QTest::newRow("C: the rule group is one stop, txtitem stays out")
            << QList<Qt::Key>{Qt::Key_Down}
            << QStringList{"txtc", "Command1", "Command2", "Option6", "Text1", "Text2",
                           "Command3", "Command5", "Command4"};
        QTest::newRow("Mista B-C: every field of the shape")
            << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Down}
            << QStringList{"txtb", "txtc", "Command1", "Command2", "txtpeso", "Option6",
                           "Text1", "Text2", "Command3", "Command5", "Command4"};
        // clang-format on
    }
    void tabSkipsDisabledControlsAndEntersGroupsAtTheirSelection()
    {
        QFETCH(QList<Qt::Key>, arrows);
        QFETCH(QStringList, round);
        for (Qt::Key arrow : arrows)
            QTest::keyClick(QApplication::focusWidget(), arrow);
        const QString type = FocusName();

        QCOMPARE(TabRound(Qt::Key_Tab), round);
        QCOMPARE(FocusName(), type);
        QCOMPARE(TabRound(Qt::Key_Backtab), Reversed(round));
    }

    void arrowKeysMoveRoundTheGroupAndApplyTheRules_data()
    {
        // clang-format off
        QTest::addColumn<QString>("from"); // selected and focused first
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("field"); // switched by the new selection's rules
        QTest::addColumn<bool>("enabled");

        QTest::newRow("B, Down: C") << "Option1" << Qt::Key_Down << "Option2" << "txtc" << true;
        QTest::newRow("B, Right: C") << "Option1" << Qt::Key_Right << "Option2" << "txtc" << true;
        QTest::newRow("C, Up: B") << "Option2" << Qt::Key_Up << "Option1" << "txtc" << false;
        QTest::newRow("C, Left: B") << "Option2" << Qt::Key_Left << "Option1" << "txtc" << false;
        QTest::newRow("B, Up: round to Mista B-C")
            << "Option1" << Qt::Key_Up << "Option3" << "txtpeso" << true;
        QTest::newRow("B, Left: round to Mista B-C")
            << "Option1" << Qt::Key_Left << "Option3" << "txtpeso" << true;
        QTest::newRow("Mista B-C, Down: round to B")
            << "Option3" << Qt::Key_Down << "Option1" << "txtpeso" << false;
        QTest::newRow("Mista B-C, Right: round to B")
            << "Option3" << Qt::Key_Right << "Option1" << "txtpeso" << false;
        QTest::newRow("C, rule Option6, Down: round to Option5, items open")
            << "Option6" << Qt::Key_Down << "Option5" << "txtitem" << true;
        QTest::newRow("C, rule Option6, Right: round to Option5, items open")
            << "Option6" << Qt::Key_Right << "Option5" << "txtitem" << true;
        QTest::newRow("C, rule Option6, Up: Option5, items open")
            << "Option6" << Qt::Key_Up << "Option5" << "txtitem" << true;
        QTest::newRow("C, rule Option6, Left: Option5, items open")
            << "Option6" << Qt::Key_Left << "Option5" << "txtitem" << true;
        QTest::newRow("C, rule Option5, Down: Option6, items close")
            << "Option5" << Qt::Key_Down << "Option6" << "txtitem" << false;
        QTest::newRow("C, rule Option5, Right: Option6, items close")
            << "Option5" << Qt::Key_Right << "Option6" << "txtitem" << false;
        QTest::newRow("C, rule Option5, Up: round to Option6, items close")
            << "Option5" << Qt::Key_Up << "Option6" << "txtitem" << false;
        QTest::newRow("C, rule Option5, Left: round to Option6, items close")
            << "Option5" << Qt::Key_Left << "Option6" << "txtitem" << false;
        // clang-format on
    }
    void arrowKeysMoveRoundTheGroupAndApplyTheRules()
    {
        QFETCH(QString, from);
        QFETCH(Qt::Key, key);
        QFETCH(QString, to);
        QFETCH(QString, field);
        QFETCH(bool, enabled);
        QCOMPARE(FocusName(), QStringLiteral("Option1"));
        if (from == QLatin1String("Option5") || from == QLatin1String("Option6")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // C opens the rules
            // Round the whole window at most once.
            for (int tabs = 0; tabs < 50 && FocusName() != QStringLiteral("Option6"); ++tabs)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(FocusName(), QStringLiteral("Option6"));
        }
        if (from != FocusName())
            QVERIFY(ClickControl(*m_window, from));
        QCOMPARE(FocusName(), from);
        QVERIFY(Control<QRadioButton>(*m_window, qPrintable(from))->isChecked());

        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(FocusName(), to);
        QVERIFY(Control<QRadioButton>(*m_window, qPrintable(to))->isChecked());
        QVERIFY(!Control<QRadioButton>(*m_window, qPrintable(from))->isChecked());
        QCOMPARE(Control<QLineEdit>(*m_window, qPrintable(field))->isEnabled(), enabled);
    }

    void enterAndSpaceOnTheButtonStartTheCalculation_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Enter") << Qt::Key_Return;
        QTest::newRow("keypad Enter") << Qt::Key_Enter;
        QTest::newRow("Space") << Qt::Key_Space;
    }
    void enterAndSpaceOnTheButtonStartTheCalculation()
    {
        QFETCH(Qt::Key, key);
        m_prompter->SetScript({"5"});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusName(), QStringLiteral("Command1"));
        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(Asked(*m_prompter),
                 QStringList{"Punteggi | Punti (da 0 a 5) per l'esercizio n.1"});
        QCOMPARE(Control<QLabel>(*m_window, "lblvoto10")->text(), QStringLiteral("10,00"));
    }

    void promptsTakeTypedRepliesAndEscapeCancels()
    {
        // The real dialogs this time.
        m_window.reset();
        auto window = OpenWindow(nullptr);
        QVERIFY(window);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

        // Each prompt opens with the focus in an empty reply field; two are
        // answered from the keyboard, the third is left with Escape.
        const QStringList keys{"4", "5", "<Escape>"};
        QStringList seen;
        int answered = 0;
        // A prompt whose reply field never takes the focus is closed, and
        // said so, after a while: the test fails rather than hangs. The
        // polling lives as long as `polling`, which goes first when the test
        // ends, so that no call outlives what it reads.
        QDeadlineTimer focusLimit(10000);
        std::function<void()> answer;
        QObject polling;
        answer = [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            if (!dialog || !field || !dialog->isAncestorOf(field)) {
                if (!dialog || !focusLimit.hasExpired()) {
                    QTimer::singleShot(10, &polling, answer);
                } else {
                    seen << dialog->labelText() + QStringLiteral(" [no focus in 10 s]");
                    dialog->reject();
                }
                return;
            }
            focusLimit.setRemainingTime(10000);
            seen << dialog->labelText() + QStringLiteral(" [") + field->text()
                        + QStringLiteral("]");
            const QString key = keys.value(answered++);
            if (key == QStringLiteral("<Escape>")) {
                QTest::keyClick(field, Qt::Key_Escape);
                return;
            }
            QTest::keyClicks(field, key);
            QTest::keyClick(field, Qt::Key_Return);
            QTimer::singleShot(0, &polling, answer);
        };
        QTimer::singleShot(0, &polling, answer);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

        QCOMPARE(seen, (QStringList{"Punti (da 0 a 5) per l'esercizio n.1 []",
                                    "Punti (da 0 a 5) per l'esercizio n.2 []",
                                    "Punti (da 0 a 5) per l'esercizio n.3 []"}));
        QCOMPARE(Control<QLabel>(*window, "lblpunti")->text(), QStringLiteral(" +4 +5"));
        QCOMPARE(Control<QLabel>(*window, "lblvoto10")->text(), QString());
    }

    void screenReadersHearEachFieldByItsCaption_data()
    {
        // clang-format off
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("txtb") << "txtb" << "Numero di quesiti tipologia B";
        QTest::newRow("txtc") << "txtc" << "Numero di quesiti tipologia C";
        QTest::newRow("txtpeso, inside its sentence")
            << "txtpeso" << "Ogni quesito di tipo B \"pesa\" come … quesiti di tipo C";
        QTest::newRow("txtitem") << "txtitem" << "Numero di risposte (item) per quesito";
        QTest::newRow("Text1") << "Text1" << "STUDENTE";
        QTest::newRow("Text2") << "Text2" << "CLASSE";
        QTest::newRow("Command1") << "Command1" << "INSERISCI I PUNTEGGI E CALCOLA IL VOTO";
        QTest::newRow("Command5, the help beside txtb")
            << "Command5" << "Aiuto sui quesiti di tipologia B";
        QTest::newRow("Command4, the help beside txtc")
            << "Command4" << "Aiuto sui quesiti di tipologia C";
        QTest::newRow("Frame2, by the question above it")
            << "Frame2"
            << "Per i quesiti tipologia C, discriminare tra risposta non data e risposta errata?";
        QTest::newRow("Option5")
            << "Option5" << "Penalizza la risposta errata rispetto alla risposta non data";
        // clang-format on
    }
    void screenReadersHearEachFieldByItsCaption()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(
            Control(*m_window, qPrintable(control)));
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }

    void resultsAreAnnouncedWithTheirLabels_data()
    {
        // clang-format off
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::newRow("breakdown") << "lblpunti" << "Punteggio totale" << " +4 +5 +3 =  12 su  15";
        QTest::newRow("tenths") << "lblvoto10" << "Voto in decimi" << "8,20";
        QTest::newRow("fifteenths") << "lblvoto15" << "Voto in quindicesimi" << "13";
        // clang-format on
    }
    void resultsAreAnnouncedWithTheirLabels()
    {
        QFETCH(QString, control);
        QFETCH(QString, label);
        QFETCH(QString, value);
        m_prompter->SetScript({"4", "5", "3"});
        TypeInto(*m_window, "txtb", QStringLiteral("3"));
        QVERIFY(ClickControl(*m_window, QStringLiteral("Command1")));

        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(
            Control(*m_window, qPrintable(control)));
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), label);
        QCOMPARE(accessible->text(QAccessible::Description), value);
        const auto labels = accessible->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->text(QAccessible::Name), label);
    }

private:
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<Form1> m_window;
};

MORVELT_UI_TEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
