#pragma once

#include "Guarded.h"

#include <QWidget>

class Ui;

// A page of the window: it owns its controls and their handlers, which show their dialogs
// through the seam and run behind the guard.
class Page : public QWidget
{
public:
    explicit Page(Ui& ui, QWidget* parent = nullptr) : QWidget(parent), m_ui(ui) {}

protected:
    void guarded(const std::function<void()>& handler) { runGuarded(m_ui, handler); }
    // Connects a control's signal to a handler of the page, behind the guard.
    template <typename Signal, typename Sender, typename PageClass>
    void on(Sender* sender, Signal signal, void (PageClass::*handler)())
    {
        auto* page = static_cast<PageClass*>(this);
        connect(sender, signal, this,
                [page, handler] { page->guarded([page, handler] { (page->*handler)(); }); });
    }

    Ui& m_ui;
};
