#include "popup/ZmItemError.h"

EZmItemError::EZmItemError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString EZmItemError::Message() const
{
    return QString::fromStdString(what());
}
