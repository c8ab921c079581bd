#include "ui/form1.h"

#include "form/form_model.h"
#include "page/window_face.h"
#include "ui/dialog_prompter.h"
#include "ui/identity.h"
#include "ui/label_result_view.h"
#include "ui/print_hand_over.h"
#include "ui/screen_reader.h"
#include "ui/utf8.h"
#include "ui/window_palette.h"
#include "ui_form1.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>

#include <algorithm>
#include <limits>

namespace morvelt {

namespace {

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

} // namespace

Form1::Form1(Prompter* prompter, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::Form1>())
    , m_results(std::make_unique<LabelResultView>(*m_ui))
    , m_prompter(prompter)
    , m_printHelper(PrintHandOver::InstalledHelper())
    , m_printTime(PrintHandOver::AnswerTime)
{
    // Given before the controls exist, the form's face and colours are the
    // ones they are first laid out in.
    setPalette(WindowPalette());
    setFont(WindowFace());
    m_ui->setupUi(this);
    if (!m_prompter) {
        m_ownPrompter = std::make_unique<DialogPrompter>(this);
        m_prompter = m_ownPrompter.get();
    }
    setWindowTitle(QStringLiteral("Valutazione Morvelt Tipologia B e C - ")
                   + QString::fromLatin1(HomePage));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/16x16/morvelt.png"));
    icon.addFile(QStringLiteral(":/icons/32x32/morvelt.png"));
    setWindowIcon(icon);
    m_ui->Label9->setText(QString::fromLatin1(HomePage));
    NameControls(*m_ui);
    ApplyControlFacesAndColours();
    // Text boxes take text of any length; Qt's stop at 32,767 characters.
    for (auto* field : findChildren<QLineEdit*>())
        field->setMaxLength(std::numeric_limits<int>::max());
    m_model = std::make_unique<FormModel>(static_cast<FormView&>(*this), *m_prompter);
    ShowModel();
    ConnectHandlers();

    // The first control in tab order takes the focus and, being an option not
    // yet selected, becomes selected: the window opens on a type-B test.
    m_ui->Option1->setFocus(Qt::OtherFocusReason);
    m_ui->Option1->setChecked(true);
}

// Pages on their way are let go all together, before the window's children
// go one by one.
Form1::~Form1() { PrintHandOver::LetGo(findChildren<PrintHandOver*>(Qt::FindDirectChildrenOnly)); }

void Form1::ApplyControlFacesAndColours()
{
    m_ui->Command1->setFont(WindowFace(8.25, true));
    m_ui->lblvoto10->setFont(WindowFace(12, true));
    m_ui->lblvoto15->setFont(WindowFace(12, true));
    m_ui->Text1->setFont(WindowFace(9.75));

    const QPalette& palette = this->palette();
    const QColor highlightText = palette.color(QPalette::HighlightedText);
    SetBackground(m_ui->lblpunti, highlightText);
    SetBackground(m_ui->lblvoto10, highlightText);

    // The grey of an inactive title bar.
    QPalette addressPalette = m_ui->Label9->palette();
    addressPalette.setColor(QPalette::WindowText,
                            palette.color(QPalette::Disabled, QPalette::WindowText));
    m_ui->Label9->setPalette(addressPalette);
}

// Every control as the model holds it, which is the stored layout's state.
void Form1::ShowModel()
{
    for (std::string_view name : FormModel::Controls()) {
        ShowEnabled(name, m_model->IsEnabled(name));
        if (qobject_cast<QRadioButton*>(findChild<QWidget*>(FromUtf8(name))))
            ShowSelected(name, m_model->IsSelected(name));
    }
}

void Form1::ConnectHandlers()
{
    const auto onSelected = [this](QRadioButton* option, void (FormModel::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool selected) {
            if (selected)
                (m_model.get()->*handler)();
        });
    };
    onSelected(m_ui->Option1, &FormModel::Option1_Click);
    onSelected(m_ui->Option2, &FormModel::Option2_Click);
    onSelected(m_ui->Option3, &FormModel::Option3_Click);
    onSelected(m_ui->Option5, &FormModel::Option5_Click);
    onSelected(m_ui->Option6, &FormModel::Option6_Click);

    // The buttons that prompt or tell hold back the print failures meanwhile.
    const auto onClicked = [this](QPushButton* button, void (FormModel::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { Talk(handler); });
    };
    onClicked(m_ui->Command1, &FormModel::Command1_Click);
    onClicked(m_ui->Command4, &FormModel::Command4_Click);
    onClicked(m_ui->Command5, &FormModel::Command5_Click);
    connect(m_ui->Command2, &QPushButton::clicked, this, [this] { m_model->Command2_Click(); });
    connect(m_ui->Command3, &QPushButton::clicked, this, [this] { m_model->Command3_Click(); });
}

bool Form1::focusNextPrevChild(bool next)
{
    QWidget* candidate = focusWidget() ? focusWidget() : this;
    for (QWidget* start = candidate;;) {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate == start)
            return false;
        if (candidate == this || !isAncestorOf(candidate) || !candidate->isEnabled()
            || !candidate->isVisible() || !(candidate->focusPolicy() & Qt::TabFocus))
            continue;
        if (auto* option = qobject_cast<QRadioButton*>(candidate); option && !option->isChecked()) {
            const auto group = option->parentWidget()->findChildren<QRadioButton*>();
            if (std::any_of(group.begin(), group.end(), [](auto* o) { return o->isChecked(); }))
                continue;
        }
        candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::ShowEnabled(std::string_view control, bool enabled)
{
    findChild<QWidget*>(FromUtf8(control))->setEnabled(enabled);
}

// The window has already moved the selection when the model tells it; when
// the model moves it first, the window follows without running the option's
// handler again.
void Form1::ShowSelected(std::string_view option, bool selected)
{
    auto* button = findChild<QRadioButton*>(FromUtf8(option));
    const QSignalBlocker blocker(button);
    button->setChecked(selected);
}

std::string Form1::Text(Field field) const
{
    switch (field) {
    case Field::txtb:
        return m_ui->txtb->text().toStdString();
    case Field::txtc:
        return m_ui->txtc->text().toStdString();
    case Field::txtitem:
        return m_ui->txtitem->text().toStdString();
    case Field::txtpeso:
        return m_ui->txtpeso->text().toStdString();
    }
    return {};
}

std::string Form1::DecimalSeparator() const { return QLocale().decimalPoint().toStdString(); }

std::string Form1::Punti() const { return m_results->Punti(); }

void Form1::SetPunti(std::string_view text) { m_results->SetPunti(text); }

void Form1::SetVoto10(std::string_view text) { m_results->SetVoto10(text); }

void Form1::SetVoto15(std::string_view text) { m_results->SetVoto15(text); }

void Form1::SetPrintHelper(const QString& program) { m_printHelper = program; }

void Form1::SetPrintTime(std::chrono::milliseconds answerTime) { m_printTime = answerTime; }

void Form1::Exit()
{
    close();
    QCoreApplication::quit();
}

// The page is rendered now; the print service gets it behind the window, and
// a press whose page did not print gets one message.
void Form1::Print()
{
    auto* handOver = new PrintHandOver(*this, m_printHelper, m_printTime, this);
    connect(handOver, &PrintHandOver::finished, this, [this, handOver](PrintResult result) {
        handOver->deleteLater();
        ReportPrintResult(result);
    });
}

void Form1::Talk(void (FormModel::*handler)())
{
    ++m_talking;
    (m_model.get()->*handler)();
    --m_talking;
    ShowPrintFailures();
}

namespace {

// What the teacher is told of a press whose page did not print, or is not
// known to have printed; nothing for a page that printed.
const char* PrintMessage(PrintResult result)
{
    switch (result) {
    case PrintResult::Printed:
        return nullptr;
    case PrintResult::NoDefaultPrinter:
        return "Impossibile stampare: non è impostata una stampante predefinita.";
    case PrintResult::NotAnswering:
        return "Impossibile stampare: il servizio di stampa non risponde.";
    case PrintResult::Refused:
        return "Impossibile stampare: la stampante non ha accettato la pagina.";
    case PrintResult::Interrupted:
        return "Impossibile stampare: il servizio di stampa ha interrotto la stampa.";
    case PrintResult::PageNotPrepared:
        return "Impossibile stampare: non è stato possibile preparare la pagina.";
    case PrintResult::NotConfirmed:
        return "Stampa non confermata: il servizio di stampa non ha risposto, la pagina potrebbe "
               "essere stampata più tardi.";
    case PrintResult::PrinterStopped:
        return "La pagina è in coda, ma la stampante è ferma.";
    }
    return nullptr;
}

} // namespace

std::string Form1::Told(const PrintFailure& failure)
{
    return failure.presses > 1 ? failure.text + " (pagine: " + std::to_string(failure.presses) + ")"
                               : failure.text;
}

// A failure joins the message of its cause that is open or waiting, so that
// many presses that failed alike are one message to dismiss.
void Form1::ReportPrintResult(PrintResult result)
{
    const char* text = PrintMessage(result);
    if (!text)
        return;
    if (m_shownFailure && m_shownFailure->text == text) {
        ++m_shownFailure->presses;
        m_prompter->ReviseMessage(Told(*m_shownFailure));
        return;
    }
    const auto waiting = std::find_if(
        m_printFailures.begin(), m_printFailures.end(),
        [text](const PrintFailure& failure) { return failure.text == text; });
    if (waiting != m_printFailures.end())
        ++waiting->presses;
    else
        m_printFailures.push_back({text});
    ShowPrintFailures();
}

// A failure never breaks into a calculation's prompts or another message:
// it waits for them, and the failures are told one at a time, in order.
void Form1::ShowPrintFailures()
{
    while (m_talking == 0 && !m_printFailures.empty()) {
        m_shownFailure = std::move(m_printFailures.front());
        m_printFailures.pop_front();
        ++m_talking;
        m_prompter->ShowMessage(Told(*m_shownFailure));
        --m_talking;
        m_shownFailure.reset();
    }
}

} // namespace morvelt
