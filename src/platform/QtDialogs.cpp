// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "QtDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

QtDialogs::QtDialogs()
{
    input_.setInputMode(QInputDialog::TextInput);
    input_.setOkButtonText(QStringLiteral("OK"));
    input_.setCancelButtonText(QStringLiteral("キャンセル"));
    // A pasted answer counts in full, however long: a line edit keeps only
    // 32767 characters unless told otherwise.
    input_.findChild<QLineEdit*>()->setMaxLength(std::numeric_limits<int>::max());

    yesNo_.setIcon(QMessageBox::NoIcon);
    yes_ = yesNo_.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    yesNo_.setEscapeButton(yesNo_.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole));
}

QString QtDialogs::askText(const QString& prompt, const QString& title,
                           const QString& defaultAnswer)
{
    input_.setWindowTitle(title);
    input_.setLabelText(prompt);
    // Shown, the box gives the field the focus with the default answer
    // selected, so typing replaces it, also when the focus was moved the
    // last time the box was open.
    input_.setTextValue(defaultAnswer);
    if (input_.exec() != QDialog::Accepted)
        return {};
    return input_.textValue();
}

std::optional<bool> QtDialogs::askYesNo(const QString& prompt, const QString& title)
{
    yesNo_.setWindowTitle(title);
    yesNo_.setText(prompt);
    // Enter means Yes, even if the focus was on No the last time.
    yesNo_.setDefaultButton(yes_);
    // The box keeps the button clicked last time; a box that an ending event
    // loop closes has none clicked this time, and that is no "No".
    std::optional<bool> answer;
    const auto connection =
            QObject::connect(&yesNo_, &QMessageBox::buttonClicked,
                             [this, &answer](QAbstractButton* button) { answer = button == yes_; });
    yesNo_.exec();
    QObject::disconnect(connection);
    return answer;
}

QString QtDialogs::askSavePath(const QString& title, const QString& suggestedPath,
                               const QString& filter)
{
    // Made for each question: saving is rare, and a file box keeps a model
    // of the folders it has shown.
    QFileDialog box(nullptr, title, suggestedPath, filter);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setDefaultSuffix(QFileInfo(suggestedPath).suffix());
    box.setOption(QFileDialog::DontConfirmOverwrite);
    box.setLabelText(QFileDialog::LookIn, QStringLiteral("場所:"));
    box.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名:"));
    box.setLabelText(QFileDialog::FileType, QStringLiteral("種類:"));
    box.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
    box.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    // Qt's own box reads double quotes as the bounds of several names, and
    // would save under a part of the name typed, somewhere else; a name that
    // cannot be saved as typed is refused, and the box asks again.
    for (;;) {
        if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
            return {};
        const auto* typed = box.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (typed == nullptr || !typed->text().contains(u'"'))
            return box.selectedFiles().constFirst();
        inform(QStringLiteral("ファイル名に \" は使えません。\n別の名前を付けてください。"), title);
    }
}

void QtDialogs::inform(const QString& text, const QString& title)
{
    showMessage(text, title, QMessageBox::Warning);
}

void QtDialogs::tellAbout(const QString& text, const QString& title)
{
    showMessage(text, title, QMessageBox::Information);
}

void QtDialogs::showMessage(const QString& text, const QString& title, QMessageBox::Icon icon)
{
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(icon);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}
