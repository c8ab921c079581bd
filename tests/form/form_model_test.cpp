// The window's behaviour without a window: every control as stored, the
// selection rules step by step with the state of every control after them,
// and what each button hands on.

#include "form/form_model.h"
#include "form/form_view.h"
#include "tests/calc/scenario.h"
#include "tests/support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace morvelt {
namespace {

using fakes::Ask;
using fakes::Message;
using fakes::RowName;
using fakes::Script;
using fakes::ScriptedPrompter;

// The window's side, recording what the model tells it in order: "txtb on",
// "Option5 selected", "Print"; the captions and texts are its own.
class RecordingFormView final : public FormView {
public:
    std::map<Field, std::string> texts;
    std::string decimalSeparator = ",";
    std::vector<std::string> told;
    std::string punti = " +1 =  1 su  5", voto10 = "1,90", voto15 = "2";

    void ShowEnabled(std::string_view control, bool enabled) override
    {
        told.push_back(std::string(control) + (enabled ? " on" : " off"));
    }
    void ShowSelected(std::string_view option, bool selected) override
    {
        told.push_back(std::string(option) + (selected ? " selected" : " cleared"));
    }
    std::string Text(Field field) const override
    {
        const auto text = texts.find(field);
        return text == texts.end() ? std::string() : text->second;
    }
    std::string DecimalSeparator() const override { return decimalSeparator; }
    void Print() override { told.push_back("Print"); }
    void Exit() override { told.push_back("Exit"); }

    std::string Punti() const override { return punti; }
    void SetPunti(std::string_view text) override { punti = text; }
    void SetVoto10(std::string_view text) override { voto10 = text; }
    void SetVoto15(std::string_view text) override { voto15 = text; }
};

void Click(FormModel& model, const std::string& control)
{
    static const std::map<std::string, void (FormModel::*)()> handlers{
        {"Option1", &FormModel::Option1_Click},   {"Option2", &FormModel::Option2_Click},
        {"Option3", &FormModel::Option3_Click},   {"Option5", &FormModel::Option5_Click},
        {"Option6", &FormModel::Option6_Click},   {"Command1", &FormModel::Command1_Click},
        {"Command2", &FormModel::Command2_Click}, {"Command3", &FormModel::Command3_Click},
        {"Command4", &FormModel::Command4_Click}, {"Command5", &FormModel::Command5_Click}};
    (model.*handlers.at(control))();
}

std::set<std::string> Disabled(const FormModel& model)
{
    std::set<std::string> disabled;
    for (std::string_view control : FormModel::Controls()) {
        if (!model.IsEnabled(control))
            disabled.emplace(control);
    }
    return disabled;
}

std::set<std::string> Selected(const FormModel& model)
{
    std::set<std::string> selected;
    for (std::string_view control : FormModel::Controls()) {
        if (model.IsSelected(control))
            selected.emplace(control);
    }
    return selected;
}

// The five sets' controls that each column of the rules leaves disabled;
// every other control of the window is enabled.
const std::set<std::string> BColumn{"txtc",   "txtpeso", "Label2",  "Label3",  "txtitem",
                                    "Label7", "Label8",  "Label26", "Option5", "Option6"};
const std::set<std::string> CSameAsBlank{"txtb",   "txtpeso", "Label1", "Label7",
                                         "Label8", "Label3",  "txtitem"};
const std::set<std::string> CPenalize{"txtb", "txtpeso", "Label1", "Label7", "Label8"};
const std::set<std::string> MixedSameAsBlank{"Label3", "txtitem"};
const std::set<std::string> MixedPenalize{};

TEST(FormModelAtStart, EveryControlAsStored)
{
    RecordingFormView view;
    ScriptedPrompter prompter;
    const FormModel model(view, prompter);

    EXPECT_EQ(FormModel::Controls().size(), 50u);
    EXPECT_EQ(Disabled(model), (std::set<std::string>{"txtb", "txtc", "txtpeso"}));
    EXPECT_EQ(Selected(model), (std::set<std::string>{"Option6"}));
    EXPECT_TRUE(view.told.empty());
}

struct Selecting {
    std::string name;
    std::vector<std::string> before; // clicks that lead to the state the row starts in
    std::string click;
    std::vector<std::string> told;  // each change, in order
    std::set<std::string> disabled; // every disabled control after the click
    std::set<std::string> selected; // every selected option after the click
};
void PrintTo(const Selecting& row, std::ostream* os) { *os << row.name; }

class SelectionRules : public testing::TestWithParam<Selecting> {};

// Every step of every rule changes a control in one row or another, so the
// order of its changes shows the order of the steps; a step that finds its
// control as it leaves it changes nothing and tells nothing. The selection
// comes first, its group's options in the layout's order.
TEST_P(SelectionRules, ChangeTheControlsInOrder)
{
    const Selecting& row = GetParam();
    RecordingFormView view;
    ScriptedPrompter prompter;
    FormModel model(view, prompter);
    for (const std::string& click : row.before)
        Click(model, click);
    view.told.clear();

    Click(model, row.click);

    EXPECT_EQ(view.told, row.told);
    EXPECT_EQ(Disabled(model), row.disabled);
    EXPECT_EQ(Selected(model), row.selected);
    EXPECT_TRUE(prompter.Events().empty());
    EXPECT_EQ(view.punti, " +1 =  1 su  5");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Steps, SelectionRules,
    testing::Values(
        Selecting{"B at start", {}, "Option1",
                  {"Option1 selected", "txtb on", "Label2 off", "Label3 off", "txtitem off",
                   "Label7 off", "Label8 off", "Label26 off", "Option5 off", "Option6 off"},
                  BColumn, {"Option1", "Option6"}},
        Selecting{"B after C", {"Option1", "Option2"}, "Option1",
                  {"Option1 selected", "Option2 cleared", "txtb on", "txtc off", "Label1 on",
                   "Label2 off", "Label26 off", "Option5 off", "Option6 off"},
                  BColumn, {"Option1", "Option6"}},
        Selecting{"B after Mixed with Penalize keeps Penalize, greyed", {"Option1", "Option3", "Option5"},
                  "Option1",
                  {"Option1 selected", "Option3 cleared", "txtc off", "txtpeso off", "Label2 off",
                   "Label3 off", "txtitem off", "Label7 off", "Label8 off", "Label26 off",
                   "Option5 off", "Option6 off"},
                  BColumn, {"Option1", "Option5"}},
        Selecting{"B twice is B once", {"Option1"}, "Option1", {}, BColumn, {"Option1", "Option6"}},
        Selecting{"C after B", {"Option1"}, "Option2",
                  {"Option1 cleared", "Option2 selected", "txtb off", "txtc on", "Label1 off",
                   "Label2 on", "Label26 on", "Option5 on", "Option6 on"},
                  CSameAsBlank, {"Option2", "Option6"}},
        Selecting{"C after Mixed", {"Option1", "Option3"}, "Option2",
                  {"Option2 selected", "Option3 cleared", "txtb off", "txtpeso off", "Label1 off",
                   "Label7 off", "Label8 off"},
                  CSameAsBlank, {"Option2", "Option6"}},
        Selecting{"C again after B finds Penalize and its items",
                  {"Option1", "Option2", "Option5", "Option1"}, "Option2",
                  {"Option1 cleared", "Option2 selected", "txtb off", "txtc on", "Label1 off",
                   "Label2 on", "Label26 on", "Option5 on", "Option6 on", "Label3 on",
                   "txtitem on"},
                  CPenalize, {"Option2", "Option5"}},
        Selecting{"Mixed after B", {"Option1"}, "Option3",
                  {"Option1 cleared", "Option3 selected", "txtc on", "txtpeso on", "Label2 on",
                   "Option5 on", "Option6 on", "Label7 on", "Label8 on", "Label26 on"},
                  MixedSameAsBlank, {"Option3", "Option6"}},
        Selecting{"Mixed after C with Penalize", {"Option1", "Option2", "Option5"}, "Option3",
                  {"Option2 cleared", "Option3 selected", "txtb on", "txtpeso on", "Label1 on",
                   "Label7 on", "Label8 on"},
                  MixedPenalize, {"Option3", "Option5"}},
        Selecting{"Mixed after B with Penalize kept", {"Option1", "Option2", "Option5", "Option1"},
                  "Option3",
                  {"Option1 cleared", "Option3 selected", "txtc on", "txtpeso on", "Label2 on",
                   "Option5 on", "Option6 on", "Label7 on", "Label8 on", "Label26 on", "Label3 on",
                   "txtitem on"},
                  MixedPenalize, {"Option3", "Option5"}},
        Selecting{"Penalize under C", {"Option1", "Option2"}, "Option5",
                  {"Option6 cleared", "Option5 selected", "Label3 on", "txtitem on"},
                  CPenalize, {"Option2", "Option5"}},
        Selecting{"Penalize twice is Penalize once", {"Option1", "Option2", "Option5"}, "Option5",
                  {}, CPenalize, {"Option2", "Option5"}},
        Selecting{"SameAsBlank under Mixed after Penalize", {"Option1", "Option3", "Option5"},
                  "Option6",
                  {"Option6 selected", "Option5 cleared", "Label3 off", "txtitem off"},
                  MixedSameAsBlank, {"Option3", "Option6"}},
        Selecting{"SameAsBlank under C after Penalize", {"Option1", "Option2", "Option5"}, "Option6",
                  {"Option6 selected", "Option5 cleared", "Label3 off", "txtitem off"},
                  CSameAsBlank, {"Option2", "Option6"}}),
    [](const testing::TestParamInfo<Selecting>& info) { return RowName(info.param.name); });
// clang-format on

struct Pressing {
    std::string name;
    std::vector<std::string> before;
    std::map<Field, std::string> texts;
    std::string decimalSeparator;
    Script replies;
    std::string click;
    std::vector<std::string> dialogs; // "? prompt" and "! message", in order
    std::vector<std::string> told;
    std::string punti, voto10, voto15;
};
void PrintTo(const Pressing& row, std::ostream* os) { *os << row.name; }

std::string QuestionB(int n)
{
    return Ask("Punti (da 0 a 5) per l'esercizio n." + std::to_string(n));
}

// The texts of every field, so that a row shows which ones its test type
// reads.
const std::map<Field, std::string> AllFields{
    {Field::txtb, "3"}, {Field::txtc, "10"}, {Field::txtitem, "2"}, {Field::txtpeso, "2.5"}};
const std::string Untouched = " +1 =  1 su  5";

class Buttons : public testing::TestWithParam<Pressing> {};

TEST_P(Buttons, HandOnWhatTheyShould)
{
    const Pressing& row = GetParam();
    RecordingFormView view;
    view.texts = row.texts;
    view.decimalSeparator = row.decimalSeparator;
    ScriptedPrompter prompter(row.replies, ScriptedPrompter::AtScriptEnd::Throw);
    FormModel model(view, prompter);
    for (const std::string& click : row.before)
        Click(model, click);
    const std::set<std::string> disabled = Disabled(model);
    const std::set<std::string> selected = Selected(model);
    view.told.clear();

    Click(model, row.click);

    std::vector<std::string> dialogs;
    for (const auto& event : prompter.Events())
        dialogs.push_back((event.isPrompt ? "? " : "! ") + event.text);
    EXPECT_EQ(dialogs, row.dialogs);
    EXPECT_EQ(prompter.UnusedReplies(), 0u);
    EXPECT_EQ(view.told, row.told);
    EXPECT_EQ(view.punti, row.punti);
    EXPECT_EQ(view.voto10, row.voto10);
    EXPECT_EQ(view.voto15, row.voto15);
    // No button changes a control.
    EXPECT_EQ(Disabled(model), disabled);
    EXPECT_EQ(Selected(model), selected);
}

const std::string NoteC = "I quesiti devono avere lo stesso ''peso''.";
const std::string NoteB = "I quesiti devono avere lo stesso ''peso''. La parte relativa alla "
                          "Tipologia B può essere utilizzata anche per la Tipologia A, purché "
                          "tutti i quesiti abbiano sempre lo stesso ''peso''.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Handlers, Buttons,
    testing::Values(
        Pressing{"INSERISCI under B reads txtb", {"Option1"}, AllFields, ",", {"4", "5", "3"},
                 "Command1", {QuestionB(1), QuestionB(2), QuestionB(3)}, {},
                 " +4 +5 +3 =  12 su  15", "8,20", "13"},
        Pressing{"INSERISCI takes the view's separator", {"Option1"}, AllFields, ".", {"4", "5", "3"},
                 "Command1", {QuestionB(1), QuestionB(2), QuestionB(3)}, {},
                 " +4 +5 +3 =  12 su  15", "8.20", "13"},
        Pressing{"INSERISCI under C with Penalize reads txtc and txtitem",
                 {"Option1", "Option2", "Option5"}, AllFields, ",", {"6", "2", "2"}, "Command1",
                 {Ask("Numero di risposte giuste"), Ask("Numero di risposte non date"),
                  Ask("Numero di risposte sbagliate")}, {},
                 "Giuste:  6; Non date: 2; Sbagliate:  2. Totale:  14 punti su  20", "7,30", "12"},
        Pressing{"INSERISCI under C with SameAsBlank", {"Option1", "Option2"}, AllFields, ",", {"7"},
                 "Command1", {Ask("Numero di risposte giuste")}, {},
                 "Giuste:  7; Non date o sbagliate: 3.", "7,30", "12"},
        Pressing{"INSERISCI under Mixed with Penalize reads all four fields",
                 {"Option1", "Option3", "Option5"},
                 {{Field::txtb, "2"}, {Field::txtc, "10"}, {Field::txtitem, "4"}, {Field::txtpeso, "2.5"}},
                 ",", {"4", "3", "6", "2", "2"}, "Command1",
                 {Ask("Punti (da 0 a 5) per l'esercizio n.1 tipologia B"),
                  Ask("Punti (da 0 a 5) per l'esercizio n.2 tipologia B"),
                  Ask("Numero di risposte giuste tipologia C"),
                  Ask("Numero di risposte non date tipologia C"),
                  Ask("Numero di risposte sbagliate tipologia C")}, {},
                 " +4 +3 per tipologia B; giuste  6, non date  2, sbagliate  2 per tipologia C. "
                 "Totale:  43.5 punti su  65", "7,02", "11"},
        Pressing{"INSERISCI with txtb empty tells so", {"Option1"}, {}, ",", {}, "Command1",
                 {Message("Inserire il numero di quesiti!")}, {}, "", "", ""},
        Pressing{"Esci", {"Option1"}, AllFields, ",", {}, "Command2", {}, {"Exit"},
                 Untouched, "1,90", "2"},
        Pressing{"STAMPA", {"Option1"}, AllFields, ",", {}, "Command3", {}, {"Print"},
                 Untouched, "1,90", "2"},
        Pressing{"? beside txtc", {"Option1"}, AllFields, ",", {}, "Command4", {Message(NoteC)}, {},
                 Untouched, "1,90", "2"},
        Pressing{"? beside txtb", {"Option1"}, AllFields, ",", {}, "Command5", {Message(NoteB)}, {},
                 Untouched, "1,90", "2"}),
    [](const testing::TestParamInfo<Pressing>& info) { return RowName(info.param.name); });
// clang-format on

} // namespace
} // namespace morvelt
