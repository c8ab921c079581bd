#include "ui/form_values.h"

#include "ui_form1.h"

namespace morvelt {

FormValues::FormValues(const Ui::Form1& form)
    : m_form(form)
{
}

bool FormValues::IsSelected(TestKind kind) const
{
    switch (kind) {
    case TestKind::B:
        return m_form.Option1->isChecked();
    case TestKind::C:
        return m_form.Option2->isChecked();
    case TestKind::Mixed:
        return m_form.Option3->isChecked();
    }
    return false;
}

bool FormValues::IsSelected(WrongAnswerRule rule) const
{
    switch (rule) {
    case WrongAnswerRule::Penalize:
        return m_form.Option5->isChecked();
    case WrongAnswerRule::SameAsBlank:
        return m_form.Option6->isChecked();
    }
    return false;
}

std::string FormValues::Text(Field field) const
{
    switch (field) {
    case Field::txtb:
        return m_form.txtb->text().toStdString();
    case Field::txtc:
        return m_form.txtc->text().toStdString();
    case Field::txtitem:
        return m_form.txtitem->text().toStdString();
    case Field::txtpeso:
        return m_form.txtpeso->text().toStdString();
    }
    return {};
}

} // namespace morvelt
