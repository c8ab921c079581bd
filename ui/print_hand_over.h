#pragma once

#include "ui/print_service.h"

#include <QObject>

#include <memory>
#include <thread>

class QTemporaryFile;
class QWidget;

namespace morvelt {

// One press of STAMPA. The page is rendered when the hand-over is made, so
// what prints is what the window showed then; asking the print service for
// its default printer and handing it the page happen on a thread of their
// own, so that the window keeps answering while the service makes up its
// mind. finished() comes once, on the window's thread, unless the hand-over
// is destroyed first: then it is dropped, and its page file goes with it.
class PrintHandOver : public QObject {
    Q_OBJECT

public:
    // How long the print service has to take the page.
    static constexpr std::chrono::seconds AnswerTime{15};

    explicit PrintHandOver(QWidget& window, QObject* parent = nullptr);
    ~PrintHandOver() override;

Q_SIGNALS:
    void finished(morvelt::PrintResult result);

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<QTemporaryFile> m_page;
    std::thread m_worker;
};

} // namespace morvelt
