#pragma once

#include <QString>

#include <stdexcept>

// A failed operation of the recorder component, with the component's message.
class AudioRecordError : public std::runtime_error
{
public:
    explicit AudioRecordError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
