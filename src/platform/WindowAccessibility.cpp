// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "WindowAccessibility.h"

#include <QAccessibleWidget>
#include <QSet>
#include <QWidget>

namespace {

QSet<QString>& windowClasses()
{
    static QSet<QString> classes;
    return classes;
}

QAccessibleInterface* windowFactory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && widget->isWindow() && windowClasses().contains(className))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void reportAsWindow(const QMetaObject& windowClass)
{
    if (windowClasses().isEmpty())
        QAccessible::installFactory(windowFactory);
    windowClasses().insert(QString::fromLatin1(windowClass.className()));
}
