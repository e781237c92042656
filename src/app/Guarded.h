#pragma once

#include <functional>

class Ui;

// Runs a handler of the window: a failed check is shown in a message box, any other error in
// the application's error box; the handler's own closing steps have run by then.
void runGuarded(Ui& ui, const std::function<void()>& handler);
