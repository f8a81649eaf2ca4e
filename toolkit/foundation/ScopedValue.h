// A variable switched for the length of a scope: the new value is assigned at once and the old
// one given back on every way out of the scope, an exception thrown through it included, so that
// state switched on for a call cannot outlive the call.
#pragma once

#include <utility>

namespace tarnwick::foundation
{
template <typename T> class SECScopedValue
{
public:
    [[nodiscard]] SECScopedValue(T& variable, T value) : m_variable(variable), m_old(std::move(variable))
    {
        m_variable = std::move(value);
    }
    ~SECScopedValue()
    {
        m_variable = std::move(m_old);
    }
    SECScopedValue(const SECScopedValue&) = delete;
    SECScopedValue& operator=(const SECScopedValue&) = delete;

private:
    T& m_variable;
    T m_old;
};
} // namespace tarnwick::foundation
