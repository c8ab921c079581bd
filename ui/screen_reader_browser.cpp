#include "ui/screen_reader.h"

#include <QString>

#include <emscripten/val.h>

namespace morvelt {

// Qt 6.4 in the browser has no accessibility at all: the page's live region
// below is what a screen reader hears.
void NameControls(Ui::Form1&) {}

void DescribeResult(QLabel&, const QString&) {}

// Into the page's region "results", which is polite and live: a screen reader
// says it when it changes, and nothing is drawn of it.
void AnnounceResults(const QString& punti, const QString& voto10, const QString& voto15)
{
    const QString sentence = (QStringLiteral("Punteggio totale ") + punti
                              + QStringLiteral(". Voto in decimi ") + voto10
                              + QStringLiteral(". Voto in quindicesimi ") + voto15 + u'.')
                                 .simplified();
    emscripten::val region = emscripten::val::global("document")
                                 .call<emscripten::val>("getElementById", std::string("results"));
    if (!region.isNull())
        region.set("textContent", sentence.toStdString());
}

} // namespace morvelt
