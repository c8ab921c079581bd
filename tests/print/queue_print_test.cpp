// STAMPA through a real print queue: the job leaves the window, passes the
// scheduler and its filters, and comes out of the PDF printer's queue as a
// file. That file must be the page the window paints when it is written
// straight to a PDF, student's name, class, breakdown and grades included.
// The filters may turn the page into a picture, so the two pages are
// compared as pictures too, coarsely enough to forgive the filters'
// resampling and finely enough that a blank page or another student's page
// is told apart.

#include "tests/support/print_session.h"
#include "ui/quit_on_terminate.h"

#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTransform>

#include <algorithm>
#include <csignal>
#include <cstdlib>

using namespace morvelt::printtest;

namespace {

// A whole job, from the click to the file, takes a few seconds on a quiet
// machine; the bound only keeps a stuck scheduler from hanging the run.
constexpr int JobBoundMs = 60000;
// The window is told by the helper's deadline, and waits a moment past it.
constexpr int ToldBoundMs = int((morvelt::PrintHandOver::AnswerTime + morvelt::LateHelper).count());

// How the printout is told from other pages. Both pages are rasterised in
// grey at 200 dpi and averaged down to 50 dpi, so that the page the filters
// turned onto portrait paper is drawn as finely as the upright direct page
// (rasterised at 50 dpi straight, the turned text alone differs by 0.0007),
// then softened with a 5 x 5 box blur, so that antialiasing stops counting;
// the printout may sit up to two pixels off and is compared at its best
// placement, as every other candidate is. What remains is the share of
// pixels whose grey levels still differ by more than Contrast. Measured on
// Debian 12 (cups-filters' pdftopdf): the printout against its own direct
// page 0; against the same window with the next student's name typed in
// 0.00054, the page of another student's calculation 0.0015, of the window
// before any calculation 0.0046, against a blank page 0.042.
constexpr char RenderDpi[] = "200";
constexpr int Averaged = 4; // rendered pixels per compared pixel, each way
constexpr int BlurRadius = 2;
constexpr int MaxShift = 2;
constexpr int Contrast = 32;
constexpr double SamePage = 0.0002;

QImage Softened(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    QImage soft(grey.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            int sum = 0;
            int count = 0;
            for (int v = std::max(0, y - BlurRadius);
                 v <= std::min(grey.height() - 1, y + BlurRadius); ++v) {
                const uchar* row = grey.constScanLine(v);
                for (int u = std::max(0, x - BlurRadius);
                     u <= std::min(grey.width() - 1, x + BlurRadius); ++u) {
                    sum += row[u];
                    ++count;
                }
            }
            soft.scanLine(y)[x] = uchar(sum / count);
        }
    }
    return soft;
}

// The share of the reference's pixels that the printout, moved by (dx, dy),
// does not match; what the move uncovers counts as white paper.
double ChangedShare(const QImage& printout, const QImage& reference, int dx, int dy)
{
    long changed = 0;
    for (int y = 0; y < reference.height(); ++y) {
        const uchar* ref = reference.constScanLine(y);
        const int py = y + dy;
        for (int x = 0; x < reference.width(); ++x) {
            const int px = x + dx;
            const bool inside = px >= 0 && py >= 0 && px < printout.width()
                                && py < printout.height();
            const int level = inside ? printout.constScanLine(py)[px] : 255;
            changed += std::abs(level - int(ref[x])) > Contrast;
        }
    }
    return double(changed) / (double(reference.width()) * reference.height());
}

double Difference(const QImage& printout, const QImage& reference)
{
    const QImage a = Softened(printout);
    const QImage b = Softened(reference);
    double best = 1;
    for (int dy = -MaxShift; dy <= MaxShift; ++dy) {
        for (int dx = -MaxShift; dx <= MaxShift; ++dx)
            best = std::min(best, ChangedShare(a, b, dx, dy));
    }
    return best;
}

// The text with every run of blanks and line ends made one blank, and a
// blank at each end so that whole words can be looked for.
QString Normalised(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return ' ' + text.replace(blanks, QStringLiteral(" ")).trimmed() + ' ';
}

QString PdfInfoLine(const QString& info, const QString& key)
{
    for (const QString& line : info.split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed();
    }
    return {};
}

// "595 x 842 pts (A4)" as the two sides in points, shorter first.
QList<double> PaperSides(const QString& pageSize)
{
    static const QRegularExpression sides(QStringLiteral("^([\\d.]+) x ([\\d.]+) pts"));
    const auto match = sides.match(pageSize);
    if (!match.hasMatch())
        return {};
    QList<double> both{match.captured(1).toDouble(), match.captured(2).toDouble()};
    std::sort(both.begin(), both.end());
    return both;
}

} // namespace

class QueuePrintTest : public QObject {
    Q_OBJECT

private:
    // Writes the window's page straight to a PDF file with the page layout
    // the queue gives its jobs, as the print button would hand it over.
    bool WriteDirect(QWidget& window, const QString& path)
    {
        const QPrinter queue(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        QPdfWriter writer(path);
        writer.setPageLayout(queue.pageLayout());
        writer.setResolution(queue.resolution());
        return morvelt::printtest::RenderPage(window, writer);
    }

    QImage Raster(const QString& pdf)
    {
        const QString prefix = m_work->filePath(QFileInfo(pdf).completeBaseName() + "-raster");
        const ToolResult done = Run(QStringLiteral("pdftoppm"),
                                    {"-r", RenderDpi, "-gray", "-singlefile", pdf, prefix});
        if (!done.ok) {
            qWarning().noquote() << done.output;
            return {};
        }
        const QImage fine(prefix + ".pgm");
        return fine.scaled(fine.width() / Averaged, fine.height() / Averaged, Qt::IgnoreAspectRatio,
                           Qt::SmoothTransformation);
    }

    // The file the queue wrote, once it is there and the scheduler reports
    // the job finished, or an empty text with the reason in m_jobProblem.
    QString AwaitPrintout()
    {
        const QString queue = Setting("MORVELT_CUPS_QUEUE");
        const QString printout = Setting("MORVELT_CUPS_PRINTOUT");
        QString pending;
        const bool finished = QTest::qWaitFor(
            [&] {
                const ToolResult jobs = Run(QStringLiteral("lpstat"),
                                            {"-W", "not-completed", "-o", queue});
                pending = jobs.output;
                return jobs.ok && jobs.output.trimmed().isEmpty() && QFileInfo(printout).isFile();
            },
            JobBoundMs);
        if (!finished) {
            m_jobProblem = QStringLiteral("no %1 from a finished job within the bound; jobs "
                                          "waiting: %2; finished: %3")
                               .arg(printout, pending,
                                    Run("lpstat", {"-W", "completed", "-o", queue}).output);
            return {};
        }
        return printout;
    }

    std::unique_ptr<QTemporaryDir> m_work;
    QString m_jobProblem;

private Q_SLOTS:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        m_jobProblem.clear();
        // The queue writes every job into the same file: a page left from
        // before must not pass for this job's.
        const QString printout = Setting("MORVELT_CUPS_PRINTOUT");
        if (!printout.isEmpty())
            QFile::remove(printout);
    }

    // The queue's page, the pictures and the pages the test made stay for a
    // look when it failed.
    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            QFile::copy(Setting("MORVELT_CUPS_PRINTOUT"),
                        m_work->filePath(QStringLiteral("queue.pdf")));
            m_work->setAutoRemove(false);
            qInfo().noquote() << "pages and pictures kept in" << m_work->path();
        }
    }

    void childSignalIgnoredAtStartPrintsOnce();

    void printsTheGradedWindowOnTheDefaultQueue()
    {
        MORVELT_NEED_SCHEDULER(WhyNoScheduler());

        // Only ever the session's PDF queue: the machine's own printers are not
        // ours to print on.
        const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
        QCOMPARE(destination.printerName(), Setting("MORVELT_CUPS_QUEUE"));

        ScriptedPrompter prompter{"4", "5", "3"};
        auto window = GradedWindow(prompter, "3", "Maria Rossi", "3B");
        QVERIFY(window);
        QCOMPARE(Caption(*window, "lblpunti"), QStringLiteral(" +4 +5 +3 =  12 su  15"));
        QCOMPARE(Caption(*window, "lblvoto10"), QStringLiteral("8,20"));
        QCOMPARE(Caption(*window, "lblvoto15"), QStringLiteral("13"));

        auto* handOver = PressPrint(*window);
        QVERIFY(handOver);
        QSignalSpy told(handOver, &morvelt::PrintHandOver::finished);
        // The page as the window shows it at the press.
        const QString direct = m_work->filePath(QStringLiteral("direct.pdf"));
        QVERIFY(WriteDirect(*window, direct));

        // The teacher goes on to the next student at once, while the page is
        // on its way; what prints is still what the window showed at the press.
        auto* name = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QVERIFY(name);
        name->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, QStringLiteral("Luca Bianchi"));
        QCOMPARE(name->text(), QStringLiteral("Luca Bianchi"));
        const QString nextStudent = m_work->filePath(QStringLiteral("next-student.pdf"));
        QVERIFY(WriteDirect(*window, nextStudent));

        const QString printout = AwaitPrintout();
        QVERIFY2(!printout.isEmpty(), qPrintable(m_jobProblem));
        QTRY_VERIFY2_WITH_TIMEOUT(!told.isEmpty(), "the window was not told of the page",
                                  ToldBoundMs);
        QCOMPARE(told.first().first().value<morvelt::PrintResult>(), morvelt::PrintResult::Printed);
        QCOMPARE(Messages(prompter), QStringList());

        // The page the window paints for the printer holds the student and
        // every figure of the result, each beside its caption.
        const ToolResult text = Run(QStringLiteral("pdftotext"), {direct, "-"});
        QVERIFY2(text.ok, qPrintable(text.output));
        const QString page = Normalised(text.output);
        for (const QString& shown :
             {QStringLiteral(" Maria Rossi "), QStringLiteral(" 3B "),
              QStringLiteral(" Punteggio totale +4 +5 +3 = 12 su 15 "),
              QStringLiteral(" Voto in decimi 8,20 "), QStringLiteral(" Voto in quindicesimi 13 ")})
            QVERIFY2(page.contains(shown), qPrintable('"' + shown + "\" not on the page: " + page));

        // One sheet of the queue's paper: the landscape page comes out on the
        // paper the queue feeds, turned.
        const ToolResult printedInfo = Run(QStringLiteral("pdfinfo"), {printout});
        const ToolResult directInfo = Run(QStringLiteral("pdfinfo"), {direct});
        QVERIFY2(printedInfo.ok, qPrintable(printedInfo.output));
        QVERIFY2(directInfo.ok, qPrintable(directInfo.output));
        QCOMPARE(PdfInfoLine(printedInfo.output, "Pages"), QStringLiteral("1"));
        const QString printedPaper = PdfInfoLine(printedInfo.output, "Page size");
        QVERIFY2(!PaperSides(printedPaper).isEmpty(), qPrintable(printedInfo.output));
        QCOMPARE(PaperSides(printedPaper), PaperSides(PdfInfoLine(directInfo.output, "Page size")));

        // The pages that must not pass for the printout: a blank sheet, the
        // page of another student's calculation, and the window before any
        // calculation.
        QWidget blank;
        blank.resize(window->size());
        QPalette white = blank.palette();
        white.setColor(QPalette::Window, Qt::white);
        blank.setPalette(white);
        blank.setAutoFillBackground(true);
        const QString blankPdf = m_work->filePath(QStringLiteral("blank.pdf"));
        QVERIFY(WriteDirect(blank, blankPdf));

        ScriptedPrompter otherPrompter{"1", "0"};
        auto other = GradedWindow(otherPrompter, "2", "Luca Bianchi", "5A");
        QVERIFY(other);
        QCOMPARE(Caption(*other, "lblpunti"), QStringLiteral(" +1 +0 =  1 su  10"));
        const QString otherPdf = m_work->filePath(QStringLiteral("other.pdf"));
        QVERIFY(WriteDirect(*other, otherPdf));

        ScriptedPrompter freshPrompter;
        auto fresh = OpenWindow(&freshPrompter);
        QVERIFY(fresh);
        const QString freshPdf = m_work->filePath(QStringLiteral("fresh.pdf"));
        QVERIFY(WriteDirect(*fresh, freshPdf));

        QImage printed = Raster(printout);
        const QImage expected = Raster(direct);
        QVERIFY(!printed.isNull() && !expected.isNull());
        // Portrait paper takes a landscape page turned a quarter
        // counter-clockwise, as PostScript printers do; turn it back.
        if ((printed.width() > printed.height()) != (expected.width() > expected.height()))
            printed = printed.transformed(QTransform().rotate(90));

        const double same = Difference(printed, expected);
        qInfo().noquote() << "difference from the direct page:" << QString::number(same, 'f', 6)
                          << "at most" << QString::number(SamePage, 'f', 6);
        QVERIFY2(same <= SamePage, "the printout is not the window's page");
        for (const QString& wrong : {nextStudent, blankPdf, otherPdf, freshPdf}) {
            const double d = Difference(printed, Raster(wrong));
            qInfo().noquote() << "difference from" << QFileInfo(wrong).fileName() + ':'
                              << QString::number(d, 'f', 6);
            QVERIFY2(d > SamePage,
                     qPrintable(QFileInfo(wrong).fileName() + " would pass for the printout"));
        }
    }
};

// A launcher may start the program with SIGCHLD ignored, which its print
// helpers would inherit: the page still prints once, and the teacher is
// told nothing.
void QueuePrintTest::childSignalIgnoredAtStartPrintsOnce()
{
    MORVELT_NEED_SCHEDULER(WhyNoScheduler());
    std::signal(SIGCHLD, SIG_IGN);
    morvelt::QuitOnTerminate(); // as the program does as it starts
    const QString queue = Setting("MORVELT_CUPS_QUEUE");
    const auto completed = [&] {
        return Run(QStringLiteral("lpstat"), {"-W", "completed", "-o", queue})
            .output.split('\n', Qt::SkipEmptyParts)
            .size();
    };
    const qsizetype before = completed();

    ScriptedPrompter prompter{"4", "5", "3"};
    auto window = GradedWindow(prompter, "3", "Maria Rossi", "3B");
    QVERIFY(window);
    auto* handOver = PressPrint(*window);
    QVERIFY(handOver);
    QSignalSpy told(handOver, &morvelt::PrintHandOver::finished);
    QTRY_VERIFY2_WITH_TIMEOUT(!told.isEmpty(), "the window was not told of the page", ToldBoundMs);
    QCOMPARE(told.first().first().value<morvelt::PrintResult>(), morvelt::PrintResult::Printed);
    QVERIFY2(!AwaitPrintout().isEmpty(), qPrintable(m_jobProblem));
    QCOMPARE(completed(), before + 1);
    QCOMPARE(Messages(prompter), QStringList());
}

MORVELT_UI_TEST_MAIN_PREPARED(QueuePrintTest, [] {})

#include "queue_print_test.moc"
