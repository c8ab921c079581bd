#include "ui/label_result_view.h"

#include "ui/screen_reader.h"
#include "ui/utf8.h"
#include "ui_form1.h"

namespace morvelt {

namespace {
void Show(QLabel* result, std::string_view text)
{
    const QString caption = FromUtf8(text);
    result->setText(caption);
    DescribeResult(*result, caption);
}
} // namespace

LabelResultView::LabelResultView(Ui::Form1& form)
    : m_form(form)
{
}

std::string LabelResultView::Punti() const { return m_form.lblpunti->text().toStdString(); }

void LabelResultView::SetPunti(std::string_view text) { Show(m_form.lblpunti, text); }

void LabelResultView::SetVoto10(std::string_view text) { Show(m_form.lblvoto10, text); }

void LabelResultView::SetVoto15(std::string_view text) { Show(m_form.lblvoto15, text); }

} // namespace morvelt
