#pragma once

#include <QWidget>

#include <chrono>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace Ui {
class Form1;
}

namespace morvelt {

class Prompter;
enum class PrintResult : int;

// The program's only window. Its layout, captions and tab order live in
// form1.ui; this class gives it its faces and colours, opens it with "B"
// selected, and holds the handlers of the option buttons (which only switch
// which inputs accept typing) and of the five buttons. Printing goes on
// behind the window, in a helper program (PrintHandOver); what it has to say
// waits until the window's own prompts and messages are over.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // Without a prompter the window asks and tells through its own modal
    // dialogs.
    explicit Form1(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option5_Click();
    void Option6_Click();

    // The program that hands a page to the print service, and the time it
    // has from the press: by default the one installed beside this program,
    // and PrintHandOver::AnswerTime.
    void SetPrintHelper(const QString& program);
    void SetPrintTime(std::chrono::milliseconds answerTime);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

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

    void ApplyControlFacesAndColours();
    void ConnectHandlers();
    void ApplyItemsRule();
    // A control, and whether it accepts input after the step.
    using EnablingStep = std::pair<QWidget*, bool>;
    static void Enable(std::initializer_list<EnablingStep> steps);
    // Runs the window's own prompts and messages, then tells the print
    // failures that came meanwhile.
    void Talk(const std::function<void(Prompter&)>& talk);
    void ReportPrintResult(PrintResult result);
    void ShowPrintFailures();

    std::unique_ptr<Ui::Form1> m_ui;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter* m_prompter;
    QString m_printHelper;
    int m_talking = 0;
    std::chrono::milliseconds m_printTime;
    std::deque<PrintFailure> m_printFailures;
    std::optional<PrintFailure> m_shownFailure;
};

} // namespace morvelt
