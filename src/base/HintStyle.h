#pragma once

#include <QProxyStyle>

class QApplication;

// The application's hint delay: how long the pointer must rest before a
// tooltip appears. 500 ms until a Full Mode or Messenger window is created,
// which sets it to 1 ms for the rest of the run.
inline constexpr int DefaultHintDelay = 500;

int ApplicationHintDelay();
void SetApplicationHintDelay(int milliseconds);

// A proxy of the platform style that answers the tooltip wake-up delay
// with the application's hint delay, so that every tooltip follows it.
class THintStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// Installs a THintStyle over the current application style.
void InstallHintStyle(QApplication& app);
