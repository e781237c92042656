#pragma once

#include <functional>

// Runs its closing step however the scope is left; an error thrown by the step itself
// does not replace the one already on its way.
class ScopeExit
{
public:
    explicit ScopeExit(std::function<void()> step) : m_step(std::move(step)) {}
    ~ScopeExit() noexcept(false)
    {
        if (std::uncaught_exceptions() > m_uncaught) {
            try {
                m_step();
            } catch (...) {
            }
        } else {
            m_step();
        }
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    std::function<void()> m_step;
    int m_uncaught = std::uncaught_exceptions();
};
