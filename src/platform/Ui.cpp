#include "Ui.h"

#include <stdexcept>

namespace {
Ui* installed = nullptr;
}

Ui& Ui::instance()
{
    if (!installed)
        throw std::logic_error("no user interface installed");
    return *installed;
}

void Ui::install(Ui* ui)
{
    installed = ui;
}
