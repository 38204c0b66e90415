#pragma once

#include <QString>

namespace meridan {

// What a check or an operation of the core says: done, or refused with a
// message for the user. The one way the core's public functions tell why
// they did not do what was asked.
class [[nodiscard]] Result
{
public:
    Result() = default; // done
    static Result refused(QString message)
    {
        Result result;
        result.m_message = message.isEmpty() ? QStringLiteral("Refused.") : std::move(message);
        return result;
    }

    bool ok() const { return m_message.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString& message() const { return m_message; }

    // Shows the message of a refusal through the messages interface;
    // returns ok().
    bool report() const;

private:
    QString m_message;
};

} // namespace meridan
