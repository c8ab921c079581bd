#pragma once

#include "page/print_status.h"

#include <QList>
#include <QObject>

#include <chrono>
#include <memory>

class QWidget;

namespace morvelt {

// One press of STAMPA. The page is rendered when the hand-over is made, so
// what prints is what the window showed then. It is written to a file that
// the print helper, a program of its own, takes and sends to the default
// printer. The window never loads the print service's library and keeps
// answering while the service makes up its mind. finished() comes once, on
// a later turn of the event loop, unless the hand-over is destroyed first:
// then nothing is told, and a page the helper has taken goes on without the
// window, to the scheduler or cancelled by the helper's own deadline.
class PrintHandOver : public QObject {
    Q_OBJECT

public:
    // How long the print service has to take the page, from the press.
    static constexpr std::chrono::milliseconds AnswerTime{15'000};
    // How long the window's closing waits for its helpers, all of them
    // together: first for those just started to take their pages, TakeTime
    // at most, then for the ones it ends.
    static constexpr std::chrono::milliseconds TakeTime{1000};
    static constexpr std::chrono::milliseconds ClosingTime{2000};

    PrintHandOver(QWidget& window, const QString& helper,
                  std::chrono::milliseconds answerTime = AnswerTime, QObject* parent = nullptr);
    ~PrintHandOver() override;

    // The helper installed beside this program.
    static QString InstalledHelper();

    // The window closes: the hand-overs tell nothing more, and each page
    // goes on without the window, or goes with it if its helper has not
    // taken it within TakeTime. Returns within ClosingTime however many
    // there are. A hand-over destroyed on its own lets itself go.
    static void LetGo(const QList<PrintHandOver*>& handOvers);

Q_SIGNALS:
    void finished(morvelt::PrintResult result);

private:
    void Finish(PrintResult result);

    // The page file and the helper that takes it, with the helper's deadline.
    struct Delivery;
    std::unique_ptr<Delivery> m_delivery;
    bool m_finished = false;
};

} // namespace morvelt
