#include "ui/screen_reader.h"

#include "ui_form1.h"

namespace morvelt {

void NameControls(Ui::Form1& form)
{
    // A result is named by its label and described by what it shows, so a
    // screen reader says both.
    form.lblpunti->setAccessibleName(form.Label4->text());
    form.lblvoto10->setAccessibleName(form.Label5->text());
    form.lblvoto15->setAccessibleName(form.Label6->text());
    // The wrong-answer rule's frame has no caption of its own; the question
    // above it is what it asks.
    form.Frame2->setAccessibleName(form.Label26->text());
    // The weight field stands inside a sentence; a screen reader reads it whole.
    form.txtpeso->setAccessibleName(form.Label8->text() + QStringLiteral(" … ")
                                    + form.Label7->text());
}

void DescribeResult(QLabel& result, const QString& text) { result.setAccessibleDescription(text); }

} // namespace morvelt
