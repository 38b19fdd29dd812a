#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

#include <optional>

// Answers about installed faces, and captions drawn from them, kept from
// one run to the next in the user's cache: with them the app-bar appears
// without starting fontconfig, which on a desktop with thousands of faces
// is a quarter of its start. They hold while fontconfig's configuration,
// its caches and the font folders are as they were on disk (times, sizes,
// identities, and the variables that move them); any change there drops
// them all. A kept answer is only a first guess: its user checks it once
// the first window is on the screen and sets it anew where it differs.
class TFontCache {
public:
    static TFontCache& Instance();

    // Reads the answers kept in a file, in place of the ones held; the
    // user's cache is read on first use otherwise. A file that cannot be
    // read, or written by another setup, gives no answers.
    void Open(const QString& path);

    std::optional<bool> Installed(const QString& family);
    void SetInstalled(const QString& family, bool installed);
    // A caption's image, under a key that names all it was drawn from.
    QImage Caption(const QString& key);
    void SetCaption(const QString& key, const QImage& image);

    // Writes the answers out if any changed; done shortly after a change
    // anyway.
    void Save();

private:
    TFontCache() = default;
    void OpenDefault();
    void Changed();

    bool m_open = false;
    QString m_path;
    QByteArray m_stamp;
    QHash<QString, bool> m_installed;
    QHash<QString, QImage> m_captions;
    bool m_changed = false;
    bool m_saveQueued = false;
};
