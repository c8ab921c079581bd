// Printing benchmark: how long a press of STAMPA takes until the window has
// the scheduler's word that the page printed, and how long Esci takes with
// 20 pages on their way, taken by their helpers or never taken. Run by
// bench/print.sh inside the private print session of scripts/with-cups.sh.
//
//   print_bench RUNS PRINT-HELPER

#include "form/form_model.h"
#include "page/window_face.h"
#include "tests/print/fake_service.h"
#include "tests/support/scripted_prompter.h"
#include "ui/form1.h"
#include "ui/print_hand_over.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <vector>

using namespace morvelt;
using namespace std::chrono_literals;

namespace {

constexpr int Pages = 20;

void Report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-48s median %8.1f ms  (%.1f to %.1f, %zu runs)\n", what, ms[ms.size() / 2],
                ms.front(), ms.back(), ms.size());
}

bool PagesTaken(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("morvelt-*")}, QDir::Files).isEmpty();
}

// From the press to the helper's word that the scheduler has the page.
double PressToPrinted(const QString& helper)
{
    fakes::ScriptedPrompter prompter;
    Form1 window(&prompter);
    window.SetPrintHelper(helper);
    window.show();
    QElapsedTimer clock;
    clock.start();
    window.Model().Command3_Click();
    PrintHandOver* handOver = window.findChildren<PrintHandOver*>().constLast();
    bool printed = false;
    QObject::connect(handOver, &PrintHandOver::finished,
                     [&](PrintResult result) { printed = result == PrintResult::Printed; });
    const bool told = QTest::qWaitFor([&] { return printed; }, 30000);
    return told ? double(clock.nsecsElapsed()) / 1e6 : -1;
}

// Esci with as many pages on their way, once their helpers have taken them,
// or while they never will.
double Closing(const QString& helper, bool taken)
{
    QTemporaryDir pages;
    QTemporaryDir service;
    const printtest::FakeService silent(service.filePath(QStringLiteral("s.sock")),
                                        printtest::Service::Silent);
    qputenv("TMPDIR", QFile::encodeName(pages.path()));
    qputenv("CUPS_SERVER", QFile::encodeName(service.filePath(QStringLiteral("s.sock"))));
    fakes::ScriptedPrompter prompter;
    auto window = std::make_unique<Form1>(&prompter);
    window->SetPrintHelper(helper);
    window->SetPrintTime(2s);
    window->show();
    for (int page = 0; page < Pages; ++page)
        window->Model().Command3_Click();
    if (taken && !QTest::qWaitFor([&] { return PagesTaken(pages.path()); }, 30000))
        return -1;
    QElapsedTimer clock;
    clock.start();
    window.reset();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    int runs = 0;
    if (argc != 3
        || std::from_chars(argv[1], argv[1] + std::string_view(argv[1]).size(), runs).ec
               != std::errc()
        || runs <= 0) {
        std::fprintf(stderr, "usage: print_bench RUNS PRINT-HELPER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LoadWindowFaces();
    const QString helper = QFile::decodeName(argv[2]);
    QTemporaryDir stubs;
    const QString never = stubs.filePath(QStringLiteral("never-takes.sh"));
    QFile stub(never);
    if (!stub.open(QIODevice::WriteOnly) || stub.write("#!/bin/sh\nexec sleep 30\n") < 0)
        return 1;
    stub.close();
    stub.setPermissions(stub.permissions() | QFileDevice::ExeOwner);

    const QByteArray server = qgetenv("CUPS_SERVER");
    const QByteArray temp = qgetenv("TMPDIR");
    std::vector<double> printed;
    std::vector<double> closingTaken;
    std::vector<double> closingNever;
    for (int run = 0; run < runs; ++run) {
        qputenv("CUPS_SERVER", server);
        qputenv("TMPDIR", temp);
        printed.push_back(PressToPrinted(helper));
        closingTaken.push_back(Closing(helper, true));
        closingNever.push_back(Closing(never, false));
    }
    if (std::count(printed.begin(), printed.end(), -1)
            + std::count(closingTaken.begin(), closingTaken.end(), -1)
        > 0) {
        std::fprintf(stderr, "print_bench: a page was not printed, or not taken, within 30 s\n");
        return 1;
    }
    Report("STAMPA to the scheduler's word", printed);
    Report("Esci, 20 pages taken by their helpers", closingTaken);
    Report("Esci, 20 pages their helpers never take", closingNever);
    return 0;
}
