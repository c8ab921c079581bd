// The calculation and the help notes through the window's own modal dialogs,
// answered as a user would: the prompts' titles and texts, the breakdown as it
// grows behind them, the final captions, and the message boxes.

#include "tests/support/window_test.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <optional>

using morvelt::uitest::ClickControl;
using morvelt::uitest::Control;
using morvelt::uitest::ScriptedPrompter;
using morvelt::uitest::TypeInto;

namespace {

// One dialog the user meets: an input box answered with a reply or with
// Annulla, or a message box closed with OK. punti is what lblpunti shows
// behind the dialog while it is open.
struct Step {
    QString title;
    QString text;
    QString punti;
    bool message = false;
    std::optional<QString> reply;

    QString Seen() const
    {
        return (message ? "message | " : "ask | ") + title + " | " + text + " | [" + punti + "]";
    }
};

Step Ask(const QString& text, const QString& punti, const QString& reply)
{
    return {"Punteggi", text, punti, false, reply};
}

Step CancelAsk(const QString& text, const QString& punti)
{
    return {"Punteggi", text, punti, false, std::nullopt};
}

Step Message(const QString& text, const QString& punti = {})
{
    return {"Morvelt", text, punti, true, std::nullopt};
}

// Answers each modal dialog as it opens, from inside its event loop. Anything
// the script does not expect is recorded and closed the way that ends the
// calculation soonest, so a wrong window fails the test instead of hanging it.
class DialogAnswerer : public QObject {
public:
    DialogAnswerer(QLabel* punti, QList<Step> script)
        : m_punti(punti)
        , m_script(std::move(script))
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogAnswerer::Poll);
        m_timer.start(0);
    }

    QStringList seen() const { return m_seen; }
    QStringList problems() const { return m_problems; }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (m_busy || !modal || !modal->isVisible())
            return;
        m_busy = true;
        const std::optional<Step> step = m_next < m_script.size()
                                             ? std::optional<Step>(m_script[m_next++])
                                             : std::nullopt;
        if (auto* input = qobject_cast<QInputDialog*>(modal))
            Answer(*input, step);
        else if (auto* box = qobject_cast<QMessageBox*>(modal))
            Close(*box);
        else {
            m_problems << "unexpected modal "
                              + QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
        m_busy = false;
    }

    void Answer(QInputDialog& input, const std::optional<Step>& step)
    {
        m_seen << Step{input.windowTitle(), input.labelText(), m_punti->text(), false, {}}.Seen();
        auto* field = input.findChild<QLineEdit*>();
        if (!field->text().isEmpty())
            m_problems << "reply field starts with " + field->text();
        QPushButton* ok = nullptr;
        QPushButton* cancel = nullptr;
        QStringList captions;
        for (QAbstractButton* button : input.findChild<QDialogButtonBox*>()->buttons()) {
            captions << button->text();
            if (button->text() == "OK")
                ok = qobject_cast<QPushButton*>(button);
            if (button->text() == "Annulla")
                cancel = qobject_cast<QPushButton*>(button);
        }
        if (!ok || !cancel || captions.size() != 2)
            m_problems << "input box buttons: " + captions.join(", ");
        if (step && !step->message && step->reply) {
            // A reply too long to type is pasted.
            if (step->reply->size() > 100)
                morvelt::uitest::PasteOver(*field, *step->reply);
            else
                QTest::keyClicks(field, *step->reply);
            (ok ? ok : cancel)->click();
        } else if (cancel) {
            cancel->click();
        } else {
            input.reject();
        }
    }

    void Close(QMessageBox& box)
    {
        m_seen << Step{box.windowTitle(), box.text(), m_punti->text(), true, {}}.Seen();
        if (box.buttons().size() != 1 || box.button(QMessageBox::Ok) == nullptr)
            m_problems << "message box without a single OK button";
        box.buttons().first()->click();
    }

    QLabel* m_punti;
    QList<Step> m_script;
    qsizetype m_next = 0;
    bool m_busy = false;
    QTimer m_timer;
    QStringList m_seen;
    QStringList m_problems;
};

const char NoteC[] = "I quesiti devono avere lo stesso ''peso''.";
const char NoteB[] =
    "I quesiti devono avere lo stesso ''peso''. La parte relativa alla Tipologia B "
    "può essere utilizzata anche per la Tipologia A, purché tutti i quesiti "
    "abbiano sempre lo stesso ''peso''.";

} // namespace

Q_DECLARE_METATYPE(Step)

class DialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void calculationThroughRealDialogs_data();
    void calculationThroughRealDialogs();
    void helpNotes_data();
    void helpNotes();
    void helpNotesThroughRealMessageBox_data();
    void helpNotesThroughRealMessageBox();

private:
    void Open(morvelt::Prompter* prompter);

    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<morvelt::Form1> m_window;
};

void DialogsTest::Open(morvelt::Prompter* prompter)
{
    m_window = morvelt::uitest::OpenWindow(prompter);
    QVERIFY2(m_window, "the window did not become active");
}

void DialogsTest::cleanup()
{
    m_window.reset();
    m_prompter.reset();
}

void DialogsTest::calculationThroughRealDialogs_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("fields"); // name, text, name, text...
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QString>("punti");
    QTest::addColumn<QString>("voto10");
    QTest::addColumn<QString>("voto15");

    const QString b = "Punti (da 0 a 5) per l'esercizio n.";
    QTest::newRow("B 4, 5, 3 of 3: breakdown grows behind the prompts, 8,20 and 13")
        << QStringList{} << QStringList{"txtb", "3"}
        << QList<Step>{Ask(b + "1", "", "4"), Ask(b + "2", " +4", "5"),
                       Ask(b + "3", " +4 +5", "3")}
        << " +4 +5 +3 =  12 su  15" << "8,20" << "13";
    QTest::newRow("B: 7 and abc asked again, 2,5 read with the Italian comma")
        << QStringList{} << QStringList{"txtb", "1"}
        << QList<Step>{Ask(b + "1", "", "7"), Ask(b + "1", "", "abc"), Ask(b + "1", "", "2,5")}
        << " +2,5 =  2.5 su  5" << "5,50" << "9";
    const QString longFive = QString(39999, '0') + '5';
    QTest::newRow("B: a pasted reply of 40,000 characters is taken whole")
        << QStringList{} << QStringList{"txtb", "1"} << QList<Step>{Ask(b + "1", "", longFive)}
        << " +" + longFive + " =  5 su  5" << "10,00" << "15";
    QTest::newRow("B: Annulla on the second prompt ends the calculation, no grade, no message")
        << QStringList{} << QStringList{"txtb", "3"}
        << QList<Step>{Ask(b + "1", "", "4"), CancelAsk(b + "2", " +4")} << " +4" << ""
        << "";
    QTest::newRow("C Penalize 6, 2, 2 of 10 with 4 items: 6,85 and 11")
        << QStringList{"Option2", "Option5"} << QStringList{"txtc", "10"}
        << QList<Step>{Ask("Numero di risposte giuste", "", "6"),
                       Ask("Numero di risposte non date", "", "2"),
                       Ask("Numero di risposte sbagliate", "", "2")}
        << "Giuste:  6; Non date: 2; Sbagliate:  2. Totale:  26 punti su  40" << "6,85"
        << "11";
    QTest::newRow("Mixed SameAsBlank 4, 3 and 6 of 10 at weight 2.5: 7,07 and 11")
        << QStringList{"Option3"} << QStringList{"txtb", "2", "txtc", "10"}
        << QList<Step>{Ask(b + "1 tipologia B", "", "4"), Ask(b + "2 tipologia B", " +4", "3"),
                       Ask("Numero di risposte giuste tipologia C", " +4 +3", "6")}
        << " +4 +3 per tipologia B; giuste  6 per tipologia C. Totale:  19 punti su  30"
        << "7,07" << "11";
    QTest::newRow("C with txtc empty: one message box, no prompt")
        << QStringList{"Option2"} << QStringList{}
        << QList<Step>{Message("Inserire il numero di quesiti!")} << "" << "" << "";
    QTest::newRow("Mixed Penalize counts 6, 2, 1 of 10: sum message, type-B part kept")
        << QStringList{"Option3", "Option5"} << QStringList{"txtb", "2", "txtc", "10"}
        << QList<Step>{Ask(b + "1 tipologia B", "", "4"), Ask(b + "2 tipologia B", " +4", "3"),
                       Ask("Numero di risposte giuste tipologia C", " +4 +3", "6"),
                       Ask("Numero di risposte non date tipologia C", " +4 +3", "2"),
                       Ask("Numero di risposte sbagliate tipologia C", " +4 +3", "1"),
                       Message("per la tipologia C, giuste + non date + sbagliate deve essere "
                               "uguale al numero di quesiti",
                               " +4 +3")}
        << " +4 +3" << "" << "";
    // clang-format on
}

void DialogsTest::calculationThroughRealDialogs()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, fields);
    QFETCH(QList<Step>, steps);
    QFETCH(QString, punti);
    QFETCH(QString, voto10);
    QFETCH(QString, voto15);

    Open(nullptr);
    for (const QString& name : clicks)
        QVERIFY2(ClickControl(*m_window, name), qPrintable(name));
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
        TypeInto(*m_window, qPrintable(fields[i]), fields[i + 1]);

    DialogAnswerer answerer(Control<QLabel>(*m_window, "lblpunti"), steps);
    QVERIFY(ClickControl(*m_window, "Command1"));

    QStringList expected;
    for (const Step& step : steps)
        expected << step.Seen();
    QCOMPARE(answerer.seen(), expected);
    QCOMPARE(answerer.problems(), QStringList());
    QCOMPARE(Control<QLabel>(*m_window, "lblpunti")->text(), punti);
    QCOMPARE(Control<QLabel>(*m_window, "lblvoto10")->text(), voto10);
    QCOMPARE(Control<QLabel>(*m_window, "lblvoto15")->text(), voto15);
}

void DialogsTest::helpNotes_data()
{
    // clang-format off
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("note");

    QTest::newRow("Command4, right of txtc: the short note") << "Command4" << QString::fromUtf8(NoteC);
    QTest::newRow("Command5, right of txtb: the long note with può and purché")
        << "Command5" << QString::fromUtf8(NoteB);
    // clang-format on
}

void DialogsTest::helpNotes()
{
    QFETCH(QString, button);
    QFETCH(QString, note);

    m_prompter = std::make_unique<ScriptedPrompter>();
    Open(m_prompter.get());
    TypeInto(*m_window, "txtb", "3");
    QVERIFY(ClickControl(*m_window, button));
    QCOMPARE(Messages(*m_prompter), QStringList{note});
    QCOMPARE(Asked(*m_prompter), QStringList());
    QCOMPARE(Control<QLineEdit>(*m_window, "txtb")->text(), QString("3"));
    for (const char* name : {"lblpunti", "lblvoto10", "lblvoto15"})
        QVERIFY2(Control<QLabel>(*m_window, name)->text().isEmpty(), name);
}

void DialogsTest::helpNotesThroughRealMessageBox_data()
{
    // clang-format off
    helpNotes_data();
    // clang-format on
}

void DialogsTest::helpNotesThroughRealMessageBox()
{
    QFETCH(QString, button);
    QFETCH(QString, note);

    Open(nullptr);
    {
        DialogAnswerer answerer(Control<QLabel>(*m_window, "lblpunti"), {Message(note)});
        QVERIFY(ClickControl(*m_window, button));
        QCOMPARE(answerer.seen(), QStringList{Message(note).Seen()});
        QCOMPARE(answerer.problems(), QStringList());
    }
    // The window takes input again once the note is closed.
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(ClickControl(*m_window, "Option2"));
    QVERIFY(Control<QRadioButton>(*m_window, "Option2")->isChecked());
    QVERIFY(Control<QLineEdit>(*m_window, "txtc")->isEnabled());
}

MORVELT_UI_TEST_MAIN(DialogsTest)

#include "dialogs_test.moc"
