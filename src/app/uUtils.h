#pragma once

#include <QString>

// Creates a composer, fills in its four header fields and shows it.
void OpenComposer(const QString& Subject, const QString& To, const QString& CC, const QString& BCC);
