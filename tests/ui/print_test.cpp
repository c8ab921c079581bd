// The printout: the window as it shows, on one page, with its text kept as
// text; and what the print button does when there is no printer to print on.

#include "tests/ui/window_fixture.h"
#include "ui/print_page.h"

#include <QLabel>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>

using morvelt::uitest::ClickControl;
using morvelt::uitest::Control;
using morvelt::uitest::ScriptedPrompter;
using morvelt::uitest::Shown;
using morvelt::uitest::TypeInto;

namespace {

struct Word {
    QString text;
    double left;
    double top;
};

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitCode() != 0)
        return "failed: " + program + " " + QString::fromLocal8Bit(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
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
        text.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
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
    void noDefaultPrinterIsToldOnce();

private:
    QString Print(bool throughPrinter, bool calculate);

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<morvelt::Form1> m_window;
};

void PrintTest::init()
{
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_window = morvelt::uitest::OpenWindow(m_prompter.get());
    QVERIFY2(m_window, "the window did not become active");
    QVERIFY(m_dir.isValid());
}

void PrintTest::cleanup()
{
    m_window.reset();
    m_prompter.reset();
}

// A page of the window as it shows after the user typed a name and a class
// and, when asked, scored a type-B test 4, 5, 3 of 3.
QString PrintTest::Print(bool throughPrinter, bool calculate)
{
    TypeInto(*m_window, "Text1", "Maria Rossi");
    TypeInto(*m_window, "Text2", "3B");
    if (calculate) {
        TypeInto(*m_window, "txtb", "3");
        m_prompter->Script({"4", "5", "3"});
        ClickControl(*m_window, "Command1");
        if (Control<QLabel>(*m_window, "lblvoto15")->text() != "13")
            return {};
    }

    const QString pdf = m_dir.filePath(QString("window-%1.pdf").arg(QTest::currentDataTag()));
    bool rendered = false;
    if (throughPrinter) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        rendered = morvelt::RenderPage(*m_window, printer);
    } else {
        QPdfWriter writer(pdf);
        rendered = morvelt::RenderPage(*m_window, writer);
    }
    return rendered ? pdf : QString();
}

void PrintTest::pageShowsWindow_data()
{
    QTest::addColumn<bool>("throughPrinter");
    QTest::addColumn<bool>("calculate");

    QTest::newRow("PDF writer, after a type-B calculation") << false << true;
    QTest::newRow("high-resolution printer in PDF mode, after a type-B calculation")
        << true << true;
    QTest::newRow("printer in PDF mode before any calculation: empty results") << true << false;
}

void PrintTest::pageShowsWindow()
{
    QFETCH(bool, throughPrinter);
    QFETCH(bool, calculate);
    const QString pdf = Print(throughPrinter, calculate);
    QVERIFY2(!pdf.isEmpty(), "the calculation or the rendering failed");

    static const QRegularExpression onePage(R"(^Pages:\s+1$)", QRegularExpression::MultilineOption);
    const QString info = Run("pdfinfo", {pdf});
    QVERIFY2(onePage.match(info).hasMatch(), qPrintable(info));

    const QList<Word> words = Words(pdf);
    const QString text = Joined(words);
    QVERIFY2(HasSequence(words, {"Maria", "Rossi"}), qPrintable(text));
    QVERIFY2(HasSequence(words, {"3B"}), qPrintable(text));
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
}

void PrintTest::pageKeepsTextAsText_data()
{
    QTest::addColumn<bool>("throughPrinter");

    QTest::newRow("PDF writer: fonts embedded, no picture of the window") << false;
    QTest::newRow("high-resolution printer in PDF mode: fonts embedded, no picture of the window") << true;
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

void PrintTest::noDefaultPrinterIsToldOnce()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("a default printer is set up here; this checks the machine without one");

    TypeInto(*m_window, "Text1", "Maria Rossi");
    TypeInto(*m_window, "txtb", "1");
    m_prompter->Script({"5"});
    QVERIFY(ClickControl(*m_window, "Command1"));
    const QStringList before = Shown(*m_window);
    const QStringList asked = m_prompter->asked();

    QVERIFY(ClickControl(*m_window, "Command3"));
    QCOMPARE(m_prompter->messages(),
             QStringList{QString::fromUtf8(
                 "Impossibile stampare: non è impostata una stampante predefinita.")});
    QCOMPARE(m_prompter->asked(), asked);
    QCOMPARE(Shown(*m_window), before);
}

MORVELT_UI_TEST_MAIN(PrintTest)

#include "print_test.moc"
