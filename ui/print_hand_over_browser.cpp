#include "ui/print_hand_over.h"

#include "ui/window_snapshot.h"

#include <QString>

#include <emscripten/val.h>

namespace morvelt {

// The browser has no print helper: the page, as a PDF, goes to the page's
// morveltPrint(), which opens the browser's print dialog on it. Whether the
// teacher then prints cannot be learnt, so only a page that could not be
// made is told.
struct PrintHandOver::Delivery {};

QString PrintHandOver::InstalledHelper() { return {}; }

PrintHandOver::PrintHandOver(QWidget& window, const QString& /*helper*/,
                             std::chrono::milliseconds /*answerTime*/, QObject* parent)
    : QObject(parent)
{
    const QByteArray pdf = WindowSnapshot(window).Pdf(QStringLiteral("Morvelt"));
    if (pdf.isEmpty()) {
        Finish(PrintResult::PageNotPrepared);
        return;
    }
    // The page's script copies the bytes before it returns.
    emscripten::val::global("morveltPrint")(emscripten::val(emscripten::typed_memory_view(
        static_cast<size_t>(pdf.size()), reinterpret_cast<const unsigned char*>(pdf.constData()))));
    Finish(PrintResult::Printed);
}

// The page is with the browser from the press on: nothing to wait for.
void PrintHandOver::LetGo(const QList<PrintHandOver*>& handOvers)
{
    for (PrintHandOver* handOver : handOvers)
        handOver->m_finished = true;
}

PrintHandOver::~PrintHandOver() = default;

void PrintHandOver::Finish(PrintResult result)
{
    if (m_finished)
        return;
    m_finished = true;
    QMetaObject::invokeMethod(
        this, [this, result] { Q_EMIT finished(result); }, Qt::QueuedConnection);
}

} // namespace morvelt
