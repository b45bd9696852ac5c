#pragma once
// The input/output error that whole-file writes (configuration, error log,
// exports) raise to their caller, which shows its text to the user.

#include <QString>
#include <stdexcept>

class EInOutError : public std::runtime_error
{
public:
    explicit EInOutError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};
