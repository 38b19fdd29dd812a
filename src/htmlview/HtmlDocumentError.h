#pragma once

#include <QString>

#include <stdexcept>

// Raised by a late-bound call on an HTML document that the document does
// not support, or on a document that no longer exists.
class EHtmlDocumentError : public std::runtime_error {
public:
    explicit EHtmlDocumentError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString Message() const { return m_message; }

private:
    QString m_message;
};
