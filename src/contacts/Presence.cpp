#include "contacts/Presence.h"

#include <QStringList>

quint8 JoinPresence(quint8 Zentro, quint8 Yahoo, quint8 MSN, quint8 ICQ)
{
    return quint8((Zentro << 6) + (Yahoo << 4) + (MSN << 2) + ICQ);
}

void SplitPresence(quint8 Value, quint8& Zentro, quint8& Yahoo, quint8& MSN, quint8& ICQ)
{
    Zentro = (Value >> 6) & 3;
    Yahoo = (Value >> 4) & 3;
    MSN = (Value >> 2) & 3;
    ICQ = Value & 3;
}

TPresence PresenceOn(quint8 presence, TNetwork network)
{
    quint8 v[NetworkCount];
    SplitPresence(presence, v[nwZentro], v[nwYahoo], v[nwMSN], v[nwICQ]);
    return TPresence(v[network]);
}

QString NetworkName(TNetwork network)
{
    switch (network) {
    case nwZentro:
        return QStringLiteral("Zentro");
    case nwYahoo:
        return QStringLiteral("Yahoo");
    case nwMSN:
        return QStringLiteral("MSN");
    case nwICQ:
        return QStringLiteral("ICQ");
    }
    return QString();
}

QString PresenceWords(TPresence presence)
{
    switch (presence) {
    case prOffline:
        return QStringLiteral("offline");
    case prOnline:
        return QStringLiteral("online");
    case prBusy:
        return QStringLiteral("busy");
    case prNone:
        break;
    }
    return QString();
}

QString DescribePresence(quint8 presence)
{
    QStringList parts;
    for (int k = 0; k < NetworkCount; ++k) {
        const TPresence p = PresenceOn(presence, TNetwork(k));
        if (p != prNone)
            parts << NetworkName(TNetwork(k)) + QStringLiteral(": ") + PresenceWords(p);
    }
    return parts.join(QStringLiteral(", "));
}
