#include "ui/dialog_prompter.h"

#include "ui/identity.h"
#include "ui/utf8.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <limits>
#include <utility>

namespace morvelt {

DialogPrompter::DialogPrompter(QWidget* parent)
    : m_parent(parent)
{
}

std::optional<std::string> DialogPrompter::AskText(std::string_view prompt, std::string_view title)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(FromUtf8(title));
    dialog.setLabelText(FromUtf8(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    // A reply of any length, like the window's own text boxes.
    if (auto* reply = dialog.findChild<QLineEdit*>())
        reply->setMaxLength(std::numeric_limits<int>::max());
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annulla"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

void DialogPrompter::ShowMessage(std::string_view text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), FromUtf8(text),
                    QMessageBox::Ok, m_parent);
    QMessageBox* const outer = std::exchange(m_openMessage, &box);
    box.exec();
    m_openMessage = outer;
}

void DialogPrompter::ReviseMessage(std::string_view text)
{
    if (m_openMessage)
        m_openMessage->setText(FromUtf8(text));
}

} // namespace morvelt
