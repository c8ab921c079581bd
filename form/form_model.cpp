#include "form/form_model.h"

#include "calc/calculate_grade.h"
#include "calc/prompter.h"
#include "form/form_view.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <utility>

namespace morvelt {

namespace {

constexpr bool On = true;
constexpr bool Off = false;

constexpr int TestKindGroup = 1;
constexpr int RuleGroup = 2;

constexpr std::array<std::string_view, 50> ControlNames{
    "Frame1",   "Option1",  "Option2",  "Option3",   "Label28", "Text2",     "Label27", "Text1",
    "Label1",   "txtb",     "Command5", "Label2",    "txtc",    "Command4",  "Label8",  "txtpeso",
    "Label7",   "Label26",  "Frame2",   "Option6",   "Option5", "Label3",    "txtitem", "Command1",
    "Label4",   "lblpunti", "Label5",   "lblvoto10", "Label6",  "lblvoto15", "Label10", "Label11",
    "Label12",  "Label13",  "Label14",  "Label15",   "Label16", "Label17",   "Label18", "Label19",
    "Label20",  "Label21",  "Label22",  "Label23",   "Label24", "Label25",   "Line1",   "Command3",
    "Command2", "Label9"};

} // namespace

FormModel::FormModel(FormView& view, Prompter& prompter)
    : m_view(view)
    , m_prompter(prompter)
{
    m_controls.reserve(ControlNames.size());
    for (std::string_view name : ControlNames)
        m_controls.push_back({name});
    for (std::string_view field : {"txtb", "txtc", "txtpeso"})
        Find(field).enabled = false;
    for (std::string_view option : {"Option1", "Option2", "Option3"})
        Find(option).group = TestKindGroup;
    for (std::string_view option : {"Option5", "Option6"})
        Find(option).group = RuleGroup;
    Find("Option6").selected = true;
}

std::span<const std::string_view> FormModel::Controls() { return ControlNames; }

bool FormModel::IsEnabled(std::string_view control) const { return Find(control).enabled; }

bool FormModel::IsSelected(std::string_view option) const { return Find(option).selected; }

FormModel::Control& FormModel::Find(std::string_view name)
{
    return const_cast<Control&>(std::as_const(*this).Find(name));
}

const FormModel::Control& FormModel::Find(std::string_view name) const
{
    const auto found = std::find_if(
        m_controls.begin(), m_controls.end(),
        [name](const Control& control) { return control.name == name; });
    assert(found != m_controls.end() && "no control of the window has that name");
    return *found;
}

// The option is selected first, as the window selects it before its action
// runs; the others of its group are cleared.
void FormModel::Select(std::string_view option)
{
    const int group = Find(option).group;
    for (Control& control : m_controls) {
        const bool selected = control.name == option;
        if (control.group == group && control.selected != selected) {
            control.selected = selected;
            m_view.ShowSelected(control.name, selected);
        }
    }
}

void FormModel::Enable(std::initializer_list<EnablingStep> steps)
{
    for (const auto& [name, enabled] : steps) {
        Control& control = Find(name);
        if (control.enabled != enabled) {
            control.enabled = enabled;
            m_view.ShowEnabled(name, enabled);
        }
    }
}

// The selection rules only switch which inputs accept typing, step by step in
// a fixed order; they never touch a text, a caption or another selection.
// Each is its rows of (control, on or off), run in order.

void FormModel::Option1_Click()
{
    Select("Option1");
    Enable({
        {"txtb", On},
        {"txtc", Off},
        {"txtpeso", Off},
        {"Label1", On},
        {"Label2", Off},
        {"Label3", Off},
        {"txtitem", Off},
        {"Label7", Off},
        {"Label8", Off},
        {"Label26", Off},
        {"Option5", Off},
        {"Option6", Off},
    });
}

void FormModel::Option2_Click()
{
    Select("Option2");
    Enable({
        {"txtb", Off},
        {"txtc", On},
        {"txtpeso", Off},
        {"Label1", Off},
        {"Label2", On},
        {"Label26", On},
        {"Label7", Off},
        {"Label8", Off},
        {"Option5", On},
        {"Option6", On},
    });
    ApplyItemsRule();
}

void FormModel::Option3_Click()
{
    Select("Option3");
    Enable({
        {"txtb", On},
        {"txtc", On},
        {"txtpeso", On},
        {"Label1", On},
        {"Label2", On},
        {"Option5", On},
        {"Option6", On},
        {"Label7", On},
        {"Label8", On},
        {"Label26", On},
    });
    ApplyItemsRule();
}

// The number of answers per question matters only when a wrong answer is
// penalised.
void FormModel::ApplyItemsRule()
{
    const bool penalize = Find("Option5").selected;
    Enable({
        {"Label3", penalize},
        {"txtitem", penalize},
    });
}

void FormModel::Option5_Click()
{
    Select("Option5");
    Enable({
        {"Label3", On},
        {"txtitem", On},
    });
}

void FormModel::Option6_Click()
{
    Select("Option6");
    Enable({
        {"Label3", Off},
        {"txtitem", Off},
    });
}

void FormModel::Command1_Click()
{
    CalculateGrade(*this, m_prompter, m_view, m_view.DecimalSeparator());
}

void FormModel::Command2_Click() { m_view.Exit(); }

void FormModel::Command3_Click() { m_view.Print(); }

void FormModel::Command4_Click()
{
    m_prompter.ShowMessage("I quesiti devono avere lo stesso ''peso''.");
}

void FormModel::Command5_Click()
{
    m_prompter.ShowMessage("I quesiti devono avere lo stesso ''peso''. La parte relativa alla "
                           "Tipologia B può essere utilizzata anche per la Tipologia A, purché "
                           "tutti i quesiti abbiano sempre lo stesso ''peso''.");
}

bool FormModel::IsSelected(TestKind kind) const
{
    switch (kind) {
    case TestKind::B:
        return IsSelected("Option1");
    case TestKind::C:
        return IsSelected("Option2");
    case TestKind::Mixed:
        return IsSelected("Option3");
    }
    return false;
}

bool FormModel::IsSelected(WrongAnswerRule rule) const
{
    switch (rule) {
    case WrongAnswerRule::Penalize:
        return IsSelected("Option5");
    case WrongAnswerRule::SameAsBlank:
        return IsSelected("Option6");
    }
    return false;
}

std::string FormModel::Text(Field field) const { return m_view.Text(field); }

} // namespace morvelt
