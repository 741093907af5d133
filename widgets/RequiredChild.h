#pragma once

#include <QLatin1String>
#include <QWidget>

// The child of a window that its form names: a control the code is bound
// to by its object name. A form without it is a broken build, not a user's
// problem, so the program stops there.
template <typename Child>
Child& RequiredChild(const QWidget& window, const char* objectName)
{
    auto* child = window.findChild<Child*>(QLatin1String(objectName));
    if (!child)
        qFatal("%s has no child %s", qPrintable(window.objectName()), objectName);
    return *child;
}
