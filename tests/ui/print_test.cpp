// The printout: the window as it shows, on one page, with its text kept as
// text; and what the print button does when the page does not print:
// the window goes on answering, and the teacher is told once, after any
// prompt that is open.

#include "page/print_status.h"
#include "tests/support/print_session.h"
#include "tests/support/window_test.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>

using morvelt::PrintResult;
using morvelt::uitest::ClickControl;
using morvelt::uitest::Control;
using morvelt::uitest::EnvironmentSetting;
using morvelt::uitest::ScriptedPrompter;
using morvelt::uitest::Shown;
using morvelt::uitest::TypeInto;

namespace {

struct Word {
    QString text;
    double left;
    double top;
};

// What one of poppler's tools wrote, or what went wrong, after "failed: ".
QString Run(const QString& program, const QStringList& arguments)
{
    const auto result = morvelt::printtest::Run(program, arguments);
    return result.ok ? result.output : QStringLiteral("failed: ") + result.output;
}

// The words of the page in reading order, with their positions, from
// pdftotext's bounding-box output.
QList<Word> Words(const QString& pdf)
{
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    QList<Word> words;
    const QString html = Run("pdftotext", {"-bbox", pdf, "-"});
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        QString text = m.captured(3);
        text.replace("&amp;", "&")
            .replace("&lt;", "<")
            .replace("&gt;", ">")
            .replace("&quot;", "\"");
        words.append({text, m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

bool HasSequence(const QList<Word>& words, const QStringList& sequence)
{
    for (qsizetype i = 0; i + sequence.size() <= words.size(); ++i) {
        qsizetype j = 0;
        while (j < sequence.size() && words[i + j].text == sequence[j])
            ++j;
        if (j == sequence.size())
            return true;
    }
    return false;
}

QStringList PageFiles(const QString& dir)
{
    return QDir(dir).entryList({QStringLiteral("morvelt-*")}, QDir::Files);
}

// The page at 72 dpi, a pixel a point, in grey.
QImage Raster(const QString& pdf)
{
    const QString base = pdf.chopped(4);
    if (Run("pdftoppm", {"-r", "72", "-gray", "-png", "-singlefile", pdf, base})
            .startsWith("failed"))
        return {};
    return QImage(base + ".png").convertToFormat(QImage::Format_Grayscale8);
}

// The first and last columns of the page that carry any ink.
std::pair<int, int> InkColumns(const QImage& page)
{
    int left = page.width();
    int right = -1;
    for (int y = 0; y < page.height(); ++y) {
        const uchar* row = page.constScanLine(y);
        for (int x = 0; x < page.width(); ++x) {
            if (row[x] < 0xf0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

QString Joined(const QList<Word>& words)
{
    QStringList texts;
    for (const Word& w : words)
        texts << w.text;
    return texts.join(' ');
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pageShowsWindow_data();
    void pageShowsWindow();
    void pageKeepsTextAsText_data();
    void pageKeepsTextAsText();
    void serviceTroubleIsToldOnceAfterThePrompts_data();
    void serviceTroubleIsToldOnceAfterThePrompts();
    void failuresOfOneCauseAreOneMessage_data();
    void failuresOfOneCauseAreOneMessage();
    void closingLetsPagesGoTogether_data();
    void closingLetsPagesGoTogether();

private:
    QString Print(bool throughPrinter, bool calculate, const QString& schoolClass = "3B");
    bool Fill(bool calculate, const QString& schoolClass);
    QString Render(bool throughPrinter, const QString& name);
    bool PressPrint();
    bool AwaitTold(int presses);

    QTemporaryDir m_dir;
    int m_told = 0; // presses whose hand-over told the window the page's fate
    const QString m_style = QApplication::style()->name();
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<morvelt::Form1> m_window;
};

void PrintTest::init()
{
    m_told = 0;
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_window = morvelt::uitest::OpenWindow(m_prompter.get());
    QVERIFY2(m_window, "the window did not become active");
    QVERIFY(m_dir.isValid());
}

void PrintTest::cleanup()
{
    m_window.reset();
    m_prompter.reset();
    if (QApplication::style()->name() != m_style)
        QApplication::setStyle(m_style);
}

// A page of the window as it shows after the user typed a name and a class
// and, when asked, scored a type-B test 4, 5, 3 of 3.
QString PrintTest::Print(bool throughPrinter, bool calculate, const QString& schoolClass)
{
    return Fill(calculate, schoolClass) ? Render(throughPrinter, QTest::currentDataTag())
                                        : QString();
}

bool PrintTest::Fill(bool calculate, const QString& schoolClass)
{
    if (!calculate)
        return morvelt::printtest::Sign(*m_window, "Maria Rossi", schoolClass);
    m_prompter->SetScript({"4", "5", "3"});
    return morvelt::printtest::Grade(*m_window, "3")
           && morvelt::printtest::Sign(*m_window, "Maria Rossi", schoolClass)
           && Control<QLabel>(*m_window, "lblvoto15")->text() == "13";
}

QString PrintTest::Render(bool throughPrinter, const QString& name)
{
    const QString pdf = m_dir.filePath(QString("window-%1.pdf").arg(name));
    bool rendered = false;
    if (throughPrinter) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        rendered = morvelt::printtest::RenderPage(*m_window, printer);
    } else {
        QPdfWriter writer(pdf);
        rendered = morvelt::printtest::RenderPage(*m_window, writer);
    }
    return rendered ? pdf : QString();
}

void PrintTest::pageShowsWindow_data()
{
    // clang-format off
    QTest::addColumn<bool>("throughPrinter");
    QTest::addColumn<bool>("calculate");
    QTest::addColumn<QString>("schoolClass");
    QTest::addColumn<QSize>("windowSize"); // empty: as the window opens
    QTest::addColumn<bool>("keyboardFocus"); // STAMPA reached with Tab
    QTest::addColumn<QString>("style"); // by QStyleFactory; empty: the default
    QTest::addColumn<bool>("byMouse"); // INSERISCI clicked, then STAMPA

    const QString schoolClass = QStringLiteral("3B");
    QTest::newRow("PDF writer, after a type-B calculation")
        << false << true << schoolClass << QSize() << false << QString() << false;
    QTest::newRow("high-resolution printer in PDF mode, after a type-B calculation")
        << true << true << schoolClass << QSize() << false << QString() << false;
    QTest::newRow("printer in PDF mode before any calculation: empty results")
        << true << false << schoolClass << QSize() << false << QString() << false;
    QTest::newRow("a class longer than its box prints from its start")
        << true << true << QStringLiteral("3B Liceo Scientifico Galileo Galilei sezione sperimentale")
        << QSize() << false << QString() << false;
    QTest::newRow("a window of 1900 x 1040 prints its controls as an ordinary one")
        << false << true << schoolClass << QSize(1900, 1040) << false << QString() << false;
    QTest::newRow("STAMPA reached from the keyboard: no focus frame on paper")
        << false << true << schoolClass << QSize() << true << QString() << false;
    for (const QString& style : {QString(), QStringLiteral("Windows")}) {
        const QString name = style.isEmpty() ? QStringLiteral("the default") : style;
        QTest::newRow(qPrintable("worked example by mouse, " + name
                                 + " style: no hover, focus or default frame on paper"))
            << false << true << schoolClass << QSize() << false << style << true;
    }
    // clang-format on
}

void PrintTest::pageShowsWindow()
{
    QFETCH(bool, throughPrinter);
    QFETCH(bool, calculate);
    QFETCH(QString, schoolClass);
    QFETCH(QSize, windowSize);
    QFETCH(bool, keyboardFocus);
    QFETCH(QString, style);
    QFETCH(bool, byMouse);
    const QSize openingSize = m_window->size();
    if (!style.isEmpty())
        QVERIFY(QApplication::setStyle(style));
    QWidget* insert = Control(*m_window, "Command1");
    QWidget* print = Control(*m_window, "Command3");
    if (byMouse) // the pointer on INSERISCI, which Fill() clicks
        QTest::mouseMove(insert, insert->rect().center());
    if (windowSize.isValid()) {
        m_window->resize(windowSize);
        QCOMPARE(m_window->size(), windowSize);
    }
    QVERIFY2(Fill(calculate, schoolClass), "the calculation failed");
    if (byMouse) {
        // STAMPA pressed, which takes the focus, while INSERISCI still shows
        // the pointer, as Windows' style paints it for a moment after the
        // pointer left.
        print->setFocus(Qt::MouseFocusReason);
        QVERIFY(insert->underMouse() && print->hasFocus());
    }
    if (keyboardFocus) {
        for (int i = 0; i < 30 && m_window->focusWidget() != Control(*m_window, "Command3"); ++i)
            QTest::keyClick(m_window->focusWidget(), Qt::Key_Tab);
        QCOMPARE(m_window->focusWidget(), Control(*m_window, "Command3"));
        QVERIFY(m_window->testAttribute(Qt::WA_KeyboardFocusChange));
    }
    const QString pdf = Render(throughPrinter, QTest::currentDataTag());
    QVERIFY2(!pdf.isEmpty(), "the rendering failed");

    static const QRegularExpression onePage(R"(^Pages:\s+1$)", QRegularExpression::MultilineOption);
    const QString info = Run("pdfinfo", {pdf});
    QVERIFY2(onePage.match(info).hasMatch(), qPrintable(info));

    const QList<Word> words = Words(pdf);
    const QString text = Joined(words);
    QVERIFY2(HasSequence(words, {"Maria", "Rossi"}), qPrintable(text));
    // The class from its first word, which stands at the box's left edge,
    // under its caption; the box clips what does not fit, but keeps it in the
    // page's text.
    const QStringList classWords = schoolClass.split(' ');
    QVERIFY2(HasSequence(words, classWords.mid(0, 2)), qPrintable(text));
    const auto at = [&](const QString& word) {
        return std::find_if(words.begin(), words.end(),
                            [&](const Word& w) { return w.text == word; });
    };
    QVERIFY(at("CLASSE") != words.end() && at(classWords.first()) != words.end());
    QVERIFY2(qAbs(at(classWords.first())->left - at("CLASSE")->left) < 5,
             qPrintable(QString("%1 at %2, CLASSE at %3")
                            .arg(classWords.first())
                            .arg(at(classWords.first())->left)
                            .arg(at("CLASSE")->left)));
    QVERIFY2(HasSequence(words, {"oltre", "9,5", "15"}), qPrintable(text));
    QVERIFY2(HasSequence(words, {"INSERISCI", "I", "PUNTEGGI", "E", "CALCOLA", "IL", "VOTO"}),
             qPrintable(text));

    const bool breakdown = HasSequence(words, {"+4", "+5", "+3", "=", "12", "su", "15"});
    const auto tenths = std::find_if(words.begin(), words.end(),
                                     [](const Word& w) { return w.text == "8,20"; });
    QCOMPARE(breakdown, calculate);
    QCOMPARE(tenths != words.end(), calculate);
    if (calculate) {
        // The grade in fifteenths stands under the grade in tenths, apart from
        // the "13" of the correspondence table.
        const bool fifteenths = std::any_of(words.begin(), words.end(), [&](const Word& w) {
            return w.text == "13" && qAbs(w.left - tenths->left) < 1 && w.top > tenths->top;
        });
        QVERIFY2(fifteenths, qPrintable(text));
    }

    // The side margins are the same, to within 5 mm (14 points).
    const QImage page = Raster(pdf);
    QVERIFY(!page.isNull());
    const auto [left, right] = InkColumns(page);
    QVERIFY2(qAbs(left - (page.width() - 1 - right)) <= 14,
             qPrintable(
                 QString("ink from %1 to %2 of %3 points").arg(left).arg(right).arg(page.width())));

    // Whatever the window's size, focus or pointer, the page is the one of
    // the window as it opens, unfocused, with the pointer on no control.
    m_window->resize(openingSize);
    if (QWidget* focus = m_window->focusWidget())
        focus->clearFocus();
    QTest::mouseMove(m_window.get(), QPoint(700, 450));
    QVERIFY(!insert->underMouse() && !print->underMouse());
    const QString plain = Render(throughPrinter, QString("plain-%1").arg(QTest::currentDataTag()));
    QVERIFY(!plain.isEmpty());
    QVERIFY(Raster(plain) == page);
}
void PrintTest::pageKeepsTextAsText_data()
{
    // clang-format off
    QTest::addColumn<bool>("throughPrinter");

    QTest::newRow("PDF writer: fonts embedded, no picture of the window") << false;
    QTest::newRow("high-resolution printer in PDF mode: fonts embedded, no picture of the window") << true;
    // clang-format on
}

void PrintTest::pageKeepsTextAsText()
{
    QFETCH(bool, throughPrinter);
    const QString pdf = Print(throughPrinter, true);
    QVERIFY2(!pdf.isEmpty(), "the calculation or the rendering failed");

    const QStringList fonts = Run("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    static const QRegularExpression embedded(R"(\s+yes\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+$)");
    QVERIFY2(!fonts.filter(embedded).isEmpty(), qPrintable(fonts.join('\n')));

    // Painted straight onto a printer the window becomes one bitmap, blurred
    // at the printer's resolution. The style still paints button faces and
    // frame borders from small bitmaps; none may be a picture of the window.
    const QStringList images = Run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    const int windowArea = m_window->width() * m_window->height();
    for (const QString& row : images.mid(2)) {
        const QStringList columns = row.simplified().split(' ');
        QVERIFY2(columns.size() > 4, qPrintable(row));
        QVERIFY2(columns[3].toInt() * columns[4].toInt() < windowArea / 10, qPrintable(row));
    }
}

// A stand-in for the print helper that takes its page file, as the helper
// does, or leaves it, and ends as told: with a status, by a crash, or not by
// itself. One file for each ending, written once: a stub still running reads
// it.
QString StubHelper(const QString& dir, const QString& ending, bool takesPage = true)
{
    const QString body = (takesPage ? QStringLiteral("rm -f \"$1\"\n") : QString()) + ending;
    QFile script(dir + "/helper-" + QString::number(qHash(body)) + ".sh");
    if (script.exists())
        return script.fileName();
    if (!script.open(QIODevice::WriteOnly)
        || script.write(("#!/bin/sh\n" + body + "\n").toUtf8()) < 0)
        return {};
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return script.fileName();
}

// Presses STAMPA; m_told counts the press once the window has been told of
// its page. The window hears first, and a hand-over whose message it opens
// goes, dropped by the window, while the message is open: the test never
// hears its finished(), so a hand-over gone is a press told too.
bool PrintTest::PressPrint()
{
    auto* handOver = morvelt::printtest::PressPrint(*m_window);
    if (!handOver)
        return false;
    const auto counted = std::make_shared<bool>(false);
    const auto count = [this, counted] {
        if (!std::exchange(*counted, true))
            ++m_told;
    };
    connect(handOver, &morvelt::PrintHandOver::finished, this, count);
    connect(handOver, &QObject::destroyed, this, count);
    return true;
}

// Waits until that many presses have been told, and says so when the limit
// came first.
bool PrintTest::AwaitTold(int presses)
{
    if (QTest::qWaitFor([&] { return m_told >= presses; }, 20000))
        return true;
    qWarning("only %d of %d presses told within 20 s", m_told, presses);
    return false;
}

void PrintTest::serviceTroubleIsToldOnceAfterThePrompts_data()
{
    // clang-format off
    QTest::addColumn<QString>("helperEnds"); // empty: no helper to start
    QTest::addColumn<QString>("pageFolder"); // what TMPDIR names
    QTest::addColumn<QString>("message");    // empty: none

    const QString noPrinter = "Impossibile stampare: non è impostata una stampante predefinita.";
    const QString noAnswer = "Impossibile stampare: il servizio di stampa non risponde.";
    const QString refused = "Impossibile stampare: la stampante non ha accettato la pagina.";
    const QString brokenOff = "Impossibile stampare: il servizio di stampa ha interrotto la stampa.";
    const QString noPage = "Impossibile stampare: non è stato possibile preparare la pagina.";
    const QString unknown = "Stampa non confermata: il servizio di stampa non ha risposto, la "
                            "pagina potrebbe essere stampata più tardi.";
    const QString stopped = "La pagina è in coda, ma la stampante è ferma.";
    const auto status = [](PrintResult result) {
        return QString("exit %1").arg(static_cast<int>(result));
    };
    QTest::newRow("printed: nothing to tell") << status(PrintResult::Printed) << "folder" << "";
    QTest::newRow("no default printer") << status(PrintResult::NoDefaultPrinter) << "folder" << noPrinter;
    QTest::newRow("no decision by the deadline") << status(PrintResult::NotAnswering) << "folder" << noAnswer;
    QTest::newRow("refused") << status(PrintResult::Refused) << "folder" << refused;
    QTest::newRow("broken off") << status(PrintResult::Interrupted) << "folder" << brokenOff;
    QTest::newRow("no page") << status(PrintResult::PageNotPrepared) << "folder" << noPage;
    QTest::newRow("fate unknown") << status(PrintResult::NotConfirmed) << "folder" << unknown;
    QTest::newRow("a stopped printer") << status(PrintResult::PrinterStopped) << "folder" << stopped;
    QTest::newRow("a status the window does not know") << "exit 99" << "folder" << brokenOff;
    QTest::newRow("a helper that crashes") << "kill -SEGV $$" << "folder" << brokenOff;
    QTest::newRow("a helper that does not end by its deadline: the page may print")
        << "exec sleep 30" << "folder" << unknown;
    QTest::newRow("a temporary folder that is a file: no page to print")
        << "exit 0" << "file" << noPage;
    QTest::newRow("a print helper that cannot be started") << "" << "folder" << noPage;
    // clang-format on
}

// Right after STAMPA the teacher types the next test and answers its prompts,
// lingering over the first until the helper has ended. What the helper said
// comes once, after the last prompt, and the page's file is gone.
void PrintTest::serviceTroubleIsToldOnceAfterThePrompts()
{
    QFETCH(QString, helperEnds);
    QFETCH(QString, pageFolder);
    QFETCH(QString, message);
    QTemporaryDir pages;
    QFile file(m_dir.filePath(QStringLiteral("not-a-folder")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const EnvironmentSetting pageFolderSetting("TMPDIR", pageFolder == "file" ? file.fileName()
                                                                              : pages.path());
    m_window->SetPrintHelper(helperEnds.isEmpty() ? m_dir.filePath(QStringLiteral("no-such-helper"))
                                                  : StubHelper(m_dir.path(), helperEnds));
    m_window->SetPrintTime(std::chrono::milliseconds(500));

    QVERIFY(PressPrint());
    QVERIFY(TypeInto(*m_window, "txtb", "3"));
    m_prompter->SetScript({"4", "5", "3"});
    bool toldDuringPrompt = false;
    m_prompter->WhilePromptOpen([&] {
        if (!toldDuringPrompt)
            toldDuringPrompt = AwaitTold(1);
    });
    QVERIFY(ClickControl(*m_window, "Command1"));
    QVERIFY2(toldDuringPrompt, "the press was not told while the first prompt was open");
    QCOMPARE(Control<QLabel>(*m_window, "lblvoto10")->text(), QStringLiteral("8,20"));

    const QString prompt = QStringLiteral("? Punteggi | Punti (da 0 a 5) per l'esercizio n.");
    const QStringList prompts{prompt + '1', prompt + '2', prompt + '3'};
    QCOMPARE(Said(*m_prompter),
             message.isEmpty() ? prompts : prompts + QStringList{"! " + message});
    QCOMPARE(m_told, 1);
    QCOMPARE(PageFiles(pages.path()), QStringList());
}

enum class Held { Nothing, Message, Prompt };
Q_DECLARE_METATYPE(Held)

void PrintTest::failuresOfOneCauseAreOneMessage_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("endings"); // one helper's ending a press
    QTest::addColumn<Held>("held");           // open until every press is told
    QTest::addColumn<QStringList>("messages");

    const QString noAnswer = "Impossibile stampare: il servizio di stampa non risponde.";
    const QString refused = "Impossibile stampare: la stampante non ha accettato la pagina.";
    QTest::newRow("ten presses, the first message open until the tenth failed")
        << QStringList(10, "exit 11") << Held::Message << QStringList{noAnswer + " (pagine: 10)"};
    QTest::newRow("failures waiting for the prompts, two causes")
        << QStringList{"exit 11", "exit 12", "exit 11", "exit 11", "exit 12"} << Held::Prompt
        << QStringList{noAnswer + " (pagine: 3)", refused + " (pagine: 2)"};
    QTest::newRow("each message closed before the next failure: each its own")
        << QStringList{"exit 11", "exit 11"} << Held::Nothing << QStringList{noAnswer, noAnswer};
    // clang-format on
}

// A cause is a message's text. While the message of a cause is open or
// waiting, further failures of that cause join it, and it counts them.
void PrintTest::failuresOfOneCauseAreOneMessage()
{
    QFETCH(QStringList, endings);
    QFETCH(Held, held);
    QFETCH(QStringList, messages);
    QTemporaryDir pages;
    const EnvironmentSetting pageFolder("TMPDIR", pages.path());
    const int presses = int(endings.size());
    bool allTold = held == Held::Nothing;
    if (held == Held::Message)
        m_prompter->WhileMessageOpen([&] { allTold = allTold || AwaitTold(presses); });
    if (held == Held::Prompt) {
        QVERIFY(TypeInto(*m_window, "txtb", "1"));
        m_prompter->SetScript({"4"});
        m_prompter->WhilePromptOpen([&] { allTold = AwaitTold(presses); });
    }
    for (int press = 0; press < presses; ++press) {
        m_window->SetPrintHelper(StubHelper(m_dir.path(), endings[press]));
        QVERIFY(PressPrint());
        // One by one, each told and closed before the next press.
        if (held == Held::Nothing)
            QVERIFY(AwaitTold(press + 1));
    }
    if (held == Held::Prompt)
        QVERIFY(ClickControl(*m_window, "Command1"));
    QVERIFY(AwaitTold(presses));
    QVERIFY2(allTold, "the presses were not all told while the dialog was open");
    QCOMPARE(Messages(*m_prompter), messages);
}

void PrintTest::closingLetsPagesGoTogether_data()
{
    QTest::addColumn<int>("presses");
    QTest::newRow("one page its helper never takes") << 1;
    QTest::newRow("20 pages their helpers never take") << 20;
}

// Helpers that never take their pages hold the window's closing for one
// limit in all, not for one each; their pages go with the window.
void PrintTest::closingLetsPagesGoTogether()
{
    QFETCH(int, presses);
    QTemporaryDir pages;
    QTemporaryDir started;
    const EnvironmentSetting pageFolder("TMPDIR", pages.path());
    m_window->SetPrintHelper(
        StubHelper(m_dir.path(), "touch \"" + started.path() + "/$$\"\nexec sleep 30", false));
    for (int press = 0; press < presses; ++press)
        QVERIFY(PressPrint());
    QTRY_COMPARE_WITH_TIMEOUT(QDir(started.path()).entryList(QDir::Files).size(), presses, 20000);
    QCOMPARE(PageFiles(pages.path()).size(), presses);

    QElapsedTimer clock;
    clock.start();
    m_window.reset();
    const qint64 took = clock.elapsed();
    QVERIFY2(took < morvelt::PrintHandOver::ClosingTime.count(),
             qPrintable(QString::number(took) + " ms"));
    QCOMPARE(PageFiles(pages.path()), QStringList());
    QCOMPARE(Messages(*m_prompter), QStringList());
}

MORVELT_UI_TEST_MAIN(PrintTest)

#include "print_test.moc"
