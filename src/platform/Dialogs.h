// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// The modal boxes the handlers talk to the user through. Tests script them.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // The text in the field on OK; the empty text on Cancel or the close box.
    virtual QString InputBox(const QString& prompt, const QString& title,
                             const QString& defaultAnswer) = 0;

    // True for Yes. Yes is the default button, No the escape button.
    virtual bool YesNo(const QString& prompt, const QString& title) = 0;

    // A message with a single OK button.
    virtual void Inform(const QString& text, const QString& title) = 0;
};
