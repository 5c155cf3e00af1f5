// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "Dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

// The boxes the user sees: QInputDialog and QMessageBox with Japanese
// captions set explicitly, whatever the system's locale. The input box and
// the yes/no box are made once and shown again for every question: each new
// box would leave its button icons in Qt's pixmap cache.
class QtDialogs final : public Dialogs
{
public:
    QtDialogs();

    QString askText(const QString& prompt, const QString& title,
                    const QString& defaultAnswer) override;
    std::optional<bool> askYesNo(const QString& prompt, const QString& title) override;
    QString askSavePath(const QString& title, const QString& suggestedPath,
                        const QString& filter) override;
    void inform(const QString& text, const QString& title) override;
    void tellAbout(const QString& text, const QString& title) override;

private:
    static void showMessage(const QString& text, const QString& title, QMessageBox::Icon icon);

    QInputDialog input_;
    QMessageBox yesNo_;
    QPushButton* yes_ = nullptr;
};
