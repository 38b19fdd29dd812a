#pragma once

#include <QString>
#include <QStringList>

// Page margins in millimetres.
struct TMargins {
    double Left = 0;
    double Right = 0;
    double Top = 0;
    double Bottom = 0;
};

enum TPrintOrientationOption { poPortrait, poLandscape };

// Page settings carried with each HTML view. Nothing prints with them yet;
// they are the inputs of a printing path.
class TPrintOptions {
public:
    // "<HTML></HTML>" on creation.
    QStringList HTMLHeader{QStringLiteral("<HTML></HTML>")};
    // Page-setup codes: "&w" window title, "&u" address, "&d" date, "&p"
    // page number, "&P" page count, "&b" separates left, centre and right.
    QString Header;
    QString Footer;
    TMargins Margins;
    TPrintOrientationOption Orientation = poPortrait;
};
