#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace meridan {

// What a check or an operation of the core says: done, done with a note
// for the user, or refused with a message for the user. The one way the
// core's public functions tell why they did not do what was asked.
class [[nodiscard]] Result
{
public:
    Result() = default; // done
    static Result refused(QString message)
    {
        Result result;
        result.m_refused = true;
        result.m_message = message.isEmpty() ? QStringLiteral("Refused.") : std::move(message);
        return result;
    }
    // Done, with something the user should know all the same.
    static Result doneWith(QString note)
    {
        Result result;
        result.m_message = std::move(note);
        return result;
    }

    bool ok() const { return !m_refused; }
    explicit operator bool() const { return ok(); }
    // Why it was refused, or the note of a success (often empty).
    const QString& message() const { return m_message; }

    // Shows the message, of a refusal or a note, through the messages
    // interface; returns ok(). Only the program's windows and command line
    // call it.
    bool report() const;

private:
    QString m_message;
    bool m_refused = false;
};

// A value, or the refusal that says why there is none.
template <class T> class [[nodiscard]] Expected
{
public:
    Expected(T value) : m_value(std::move(value)) {}
    Expected(Result refusal) : m_refusal(std::move(refusal))
    {
        if (m_refusal.ok())
            m_refusal = Result::refused({});
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    T valueOr(T fallback) const { return m_value.value_or(std::move(fallback)); }
    const Result& result() const { return m_refusal; }
    const QString& message() const { return m_refusal.message(); }

private:
    std::optional<T> m_value;
    Result m_refusal;
};

} // namespace meridan
