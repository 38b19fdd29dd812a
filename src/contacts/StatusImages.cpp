#include "contacts/StatusImages.h"

#include "base/ImageList.h"

TImageList* NewStatusImageList(QObject* owner)
{
    auto* list = new TImageList(16, 16, owner);
    for (const char* network : {"zentro", "yahoo", "msn", "icq"})
        for (const char* presence : {"offline", "online", "busy"})
            list->AddArtwork(QStringLiteral("status/%1-%2")
                                 .arg(QLatin1String(network), QLatin1String(presence)));
    list->AddArtwork(QStringLiteral("status/group-collapsed"));
    list->AddArtwork(QStringLiteral("status/group-expanded"));
    return list;
}
