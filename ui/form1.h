#pragma once

#include "form/form_view.h"

#include <QWidget>

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace Ui {
class Form1;
}

namespace morvelt {

class FormModel;
class LabelResultView;
class Prompter;
enum class PrintResult : int;

// The program's only window, a view of its model (FormModel), which holds
// which controls accept input and what each option and button does. Its
// layout, captions and tab order live in form1.ui; this class gives it its
// faces and colours, opens it with "B" selected, passes clicks to the model,
// keeps the texts typed in, shows the results, and prints: printing goes on
// behind the window, in a helper program (PrintHandOver), and what it has to
// say waits until the window's own prompts and messages are over.
class Form1 : public QWidget, private FormView {
    Q_OBJECT

public:
    // Without a prompter the window asks and tells through its own modal
    // dialogs.
    explicit Form1(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    FormModel& Model() { return *m_model; }

    // The program that hands a page to the print service, and the time it
    // has from the press: by default the one installed beside this program,
    // and PrintHandOver::AnswerTime.
    void SetPrintHelper(const QString& program);
    void SetPrintTime(std::chrono::milliseconds answerTime);

protected:
    // Tab and Backtab treat an option group as one stop, its selected option.
    bool focusNextPrevChild(bool next) override;
    // Enter presses the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What a print failure tells, and how many presses it stands for: one
    // message per cause, shown now or waiting.
    struct PrintFailure {
        std::string text;
        int presses = 1;
    };
    static std::string Told(const PrintFailure& failure);

    // FormView
    void ShowEnabled(std::string_view control, bool enabled) override;
    void ShowSelected(std::string_view option, bool selected) override;
    std::string Text(Field field) const override;
    std::string DecimalSeparator() const override;
    void Print() override;
    void Exit() override;
    std::string Punti() const override;
    void SetPunti(std::string_view text) override;
    void SetVoto10(std::string_view text) override;
    void SetVoto15(std::string_view text) override;

    void ApplyControlFacesAndColours();
    void ShowModel();
    void ConnectHandlers();
    // Runs a handler's prompts and messages, then tells the print failures
    // that came meanwhile.
    void Talk(void (FormModel::*handler)());
    void ReportPrintResult(PrintResult result);
    void ShowPrintFailures();

    std::unique_ptr<Ui::Form1> m_ui;
    std::unique_ptr<LabelResultView> m_results;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter* m_prompter;
    std::unique_ptr<FormModel> m_model;
    QString m_printHelper;
    int m_talking = 0;
    std::chrono::milliseconds m_printTime;
    std::deque<PrintFailure> m_printFailures;
    std::optional<PrintFailure> m_shownFailure;
};

} // namespace morvelt
