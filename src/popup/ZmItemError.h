#pragma once

#include <QString>

#include <stdexcept>

// Raised for misuse of an item's child list; the list is left unchanged.
class EZmItemError : public std::runtime_error {
public:
    explicit EZmItemError(const QString& message);
    QString Message() const;
};
