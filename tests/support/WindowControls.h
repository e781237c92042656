#pragma once

#include <QWidget>

// The window's control of that component name, found as an operator's tool would find it.
// A missing control ends the test program: every test after it would be meaningless.
template <typename Control> Control* control(const QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        qFatal("the window has no control %s of the expected type", name);
    return found;
}
