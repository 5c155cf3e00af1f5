#pragma once

#include "Dialogs.h"

// The boxes the user sees: QInputDialog and QMessageBox with Japanese
// captions set explicitly, whatever the system's locale.
class QtDialogs final : public Dialogs
{
public:
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultAnswer) override;
    bool YesNo(const QString& prompt, const QString& title) override;
    void Inform(const QString& text, const QString& title) override;
};
