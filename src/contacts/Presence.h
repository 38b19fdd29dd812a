#pragma once

#include <QString>
#include <QtGlobal>

// The four networks of a contact, in the order of the presence byte (most
// significant bits first) and of the icon columns.
enum TNetwork { nwZentro = 0, nwYahoo = 1, nwMSN = 2, nwICQ = 3 };

// A contact's presence on one network.
enum TPresence { prOffline = 0, prOnline = 1, prBusy = 2, prNone = 3 };

inline constexpr int NetworkCount = 4;

// Packs four presence values (Zentro, Yahoo, MSN, ICQ; each 0..3) into one
// byte, Zentro in the top bits. 8-bit arithmetic: the sum wraps modulo 256.
quint8 JoinPresence(quint8 Zentro, quint8 Yahoo, quint8 MSN, quint8 ICQ);

// Unpacks a presence byte into its four 2-bit fields.
void SplitPresence(quint8 Value, quint8& Zentro, quint8& Yahoo, quint8& MSN, quint8& ICQ);

// The presence on one network, read from a presence byte.
TPresence PresenceOn(quint8 presence, TNetwork network);

// "Zentro", "Yahoo", "MSN", "ICQ".
QString NetworkName(TNetwork network);

// "offline", "online", "busy"; empty for prNone.
QString PresenceWords(TPresence presence);

// The presence on every network with an account, in words, for assistive
// tools: "Zentro: online, Yahoo: online, MSN: busy, ICQ: offline".
QString DescribePresence(quint8 presence);
