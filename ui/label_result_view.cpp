#include "ui/label_result_view.h"

#include "ui/utf8.h"
#include "ui_form1.h"

namespace morvelt {

LabelResultView::LabelResultView(Ui::Form1& form)
    : m_form(form)
{
}

std::string LabelResultView::Punti() const
{
    return m_form.lblpunti->text().toStdString();
}

void LabelResultView::SetPunti(std::string_view text)
{
    m_form.lblpunti->setText(FromUtf8(text));
}

void LabelResultView::SetVoto10(std::string_view text)
{
    m_form.lblvoto10->setText(FromUtf8(text));
}

void LabelResultView::SetVoto15(std::string_view text)
{
    m_form.lblvoto15->setText(FromUtf8(text));
}

} // namespace morvelt
