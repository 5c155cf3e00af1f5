#include "QtDialogs.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

QString QtDialogs::InputBox(const QString& prompt, const QString& title,
                            const QString& defaultAnswer)
{
    QInputDialog box;
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(defaultAnswer);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("キャンセル"));
    // Typing replaces the default answer, as in a classic input box.
    if (auto* field = box.findChild<QLineEdit*>())
        field->selectAll();
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue();
}

bool QtDialogs::YesNo(const QString& prompt, const QString& title)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setIcon(QMessageBox::NoIcon);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtDialogs::Inform(const QString& text, const QString& title)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(QMessageBox::Warning);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}
