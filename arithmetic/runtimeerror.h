#pragma once
// Run-time errors: a failing operation stops the running handler; unless the handler skips
// failures, Form1 reports the error with its number and description and ends the program.

#include <QString>
#include <stdexcept>

namespace numbolo {

class RuntimeError : public std::runtime_error {
public:
    enum Number {
        InvalidCall = 5,
        Overflow = 6,
        TypeMismatch = 13,
        FileAccess = 75,
    };

    RuntimeError(Number number, QString description);

    Number number() const { return m_number; }
    const QString &description() const { return m_description; }
    // The text of the message box that reports the error.
    QString message() const;

    static RuntimeError typeMismatch(const QString &text);

private:
    Number m_number;
    QString m_description;
};

// Runs one step of a handler that skips failing operations; returns false when the step failed.
template <class Step>
bool skipOnError(Step &&step)
{
    try {
        step();
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}

} // namespace numbolo
