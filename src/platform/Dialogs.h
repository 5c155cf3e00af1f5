// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <optional>

// The modal boxes the handlers talk to the user through. Tests script them.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // An input box: the text in the field on OK; the empty text on Cancel or
    // the close box.
    virtual QString askText(const QString& prompt, const QString& title,
                            const QString& defaultAnswer) = 0;

    // A yes/no box, Yes the default button and No the escape button: true
    // for Yes, false for No, nothing when the box closed without an answer
    // (the program is ending under it).
    virtual std::optional<bool> askYesNo(const QString& prompt, const QString& title) = 0;

    // A box that asks where to save a file of the kind filter names ("PNG
    // 画像 (*.png)"), offering suggestedPath: the path chosen, with the
    // suggested suffix if none was typed, or the empty text on Cancel or the
    // close box. Replacing a file is the caller's to confirm.
    virtual QString askSavePath(const QString& title, const QString& suggestedPath,
                                const QString& filter) = 0;

    // A refusal or a failure, with a warning icon and a single OK button.
    virtual void inform(const QString& text, const QString& title) = 0;

    // What the program is, with an information icon and a single OK button.
    virtual void tellAbout(const QString& text, const QString& title) = 0;
};
