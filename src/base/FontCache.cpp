#include "base/FontCache.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <cstring>

namespace {

constexpr quint32 Magic = 0x5a464331; // "ZFC1"
// Far above what the program keeps: a file beyond these is not ours.
constexpr qint64 MaxFileBytes = 4 << 20;
constexpr quint32 MaxEntries = 256;
constexpr int MaxImageSide = 2048;
constexpr int SaveDelayMs = 2000;

QString Variable(const char* name, const QString& fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

// Where fontconfig reads its configuration, keeps its caches and finds
// faces by default, and the variables that change that: a face installed,
// a cache rebuilt or a setting changed leaves its trace in one of these.
QByteArray SetupStamp()
{
    const QString home = QDir::homePath();
    const QString config = Variable("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    const QString cache = Variable("XDG_CACHE_HOME", home + QStringLiteral("/.cache"));
    const QString data = Variable("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    QStringList paths = {
        QStringLiteral("/etc/fonts"),
        QStringLiteral("/etc/fonts/fonts.conf"),
        QStringLiteral("/etc/fonts/conf.d"),
        QStringLiteral("/etc/fonts/local.conf"),
        QStringLiteral("/var/cache/fontconfig"),
        config + QStringLiteral("/fontconfig"),
        config + QStringLiteral("/fontconfig/fonts.conf"),
        config + QStringLiteral("/fontconfig/conf.d"),
        home + QStringLiteral("/.fonts.conf"),
        home + QStringLiteral("/.fonts.conf.d"),
        home + QStringLiteral("/.fonts"),
        home + QStringLiteral("/.fontconfig"),
        cache + QStringLiteral("/fontconfig"),
        data + QStringLiteral("/fonts"),
    };
    const QStringList dataDirs =
        Variable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"))
            .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& dir : dataDirs)
        paths << dir + QStringLiteral("/fonts");
    QByteArray stamp = QByteArray(qVersion()) + ' ' + QByteArray::number(FcGetVersion()) + '\n';
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"}) {
        const QByteArray value = qgetenv(name);
        stamp += QByteArray(name) + '=' + value + '\n';
        if (!value.isEmpty())
            paths << QString::fromLocal8Bit(value);
    }
    for (const QString& path : paths) {
        struct stat st = {};
        stamp += QFile::encodeName(path);
        if (::stat(QFile::encodeName(path).constData(), &st) == 0)
            stamp += ' ' + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' +
                     QByteArray::number(qint64(st.st_mtim.tv_nsec)) + ' ' +
                     QByteArray::number(qint64(st.st_size)) + ' ' +
                     QByteArray::number(quint64(st.st_ino));
        stamp += '\n';
    }
    return stamp;
}

bool ReadImage(QDataStream& in, QImage* image)
{
    qint32 width = 0;
    qint32 height = 0;
    double ratio = 0;
    QByteArray pixels;
    in >> width >> height >> ratio >> pixels;
    if (in.status() != QDataStream::Ok || width < 1 || height < 1 || width > MaxImageSide ||
        height > MaxImageSide || !(ratio >= 1 && ratio <= 8) ||
        pixels.size() != qsizetype(width) * height * 4)
        return false;
    QImage read(width, height, QImage::Format_ARGB32_Premultiplied);
    if (read.isNull())
        return false;
    for (int y = 0; y < height; ++y)
        std::memcpy(read.scanLine(y), pixels.constData() + qsizetype(y) * width * 4,
                    size_t(width) * 4);
    read.setDevicePixelRatio(ratio);
    *image = read;
    return true;
}

void WriteImage(QDataStream& out, const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray bytes;
    bytes.reserve(qsizetype(pixels.width()) * pixels.height() * 4);
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4);
    out << qint32(pixels.width()) << qint32(pixels.height()) << pixels.devicePixelRatio() << bytes;
}

} // namespace

TFontCache& TFontCache::Instance()
{
    static TFontCache cache;
    return cache;
}

void TFontCache::OpenDefault()
{
    if (!m_open)
        Open(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
             QStringLiteral("/fonts"));
}

void TFontCache::Open(const QString& path)
{
    m_open = true;
    m_path = path;
    m_stamp = SetupStamp();
    m_installed.clear();
    m_captions.clear();
    m_changed = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return;
    QDataStream in(file.read(MaxFileBytes));
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    QByteArray stamp;
    quint32 count = 0;
    in >> magic >> stamp >> count;
    if (in.status() != QDataStream::Ok || magic != Magic || stamp != m_stamp || count > MaxEntries)
        return;
    QHash<QString, bool> installed;
    for (quint32 i = 0; i < count; ++i) {
        QString family;
        bool answer = false;
        in >> family >> answer;
        installed.insert(family, answer);
    }
    in >> count;
    if (in.status() != QDataStream::Ok || count > MaxEntries)
        return;
    QHash<QString, QImage> captions;
    for (quint32 i = 0; i < count; ++i) {
        QString key;
        QImage image;
        in >> key;
        if (!ReadImage(in, &image))
            return;
        captions.insert(key, image);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return;
    m_installed = installed;
    m_captions = captions;
}

std::optional<bool> TFontCache::Installed(const QString& family)
{
    OpenDefault();
    if (auto it = m_installed.constFind(family); it != m_installed.cend())
        return *it;
    return std::nullopt;
}

void TFontCache::SetInstalled(const QString& family, bool installed)
{
    OpenDefault();
    if (auto it = m_installed.constFind(family); it != m_installed.cend() && *it == installed)
        return;
    if (m_installed.size() >= int(MaxEntries))
        return;
    m_installed.insert(family, installed);
    Changed();
}

QImage TFontCache::Caption(const QString& key)
{
    OpenDefault();
    return m_captions.value(key);
}

void TFontCache::SetCaption(const QString& key, const QImage& image)
{
    OpenDefault();
    if (image.isNull() || image.width() > MaxImageSide || image.height() > MaxImageSide ||
        m_captions.value(key) == image || m_captions.size() >= int(MaxEntries))
        return;
    m_captions.insert(key, image);
    Changed();
}

void TFontCache::Changed()
{
    m_changed = true;
    if (m_saveQueued || !QCoreApplication::instance())
        return;
    m_saveQueued = true;
    QTimer::singleShot(SaveDelayMs, QCoreApplication::instance(), [this] {
        m_saveQueued = false;
        Save();
    });
}

void TFontCache::Save()
{
    if (!m_changed || m_path.isEmpty())
        return;
    m_changed = false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_0);
    out << Magic << m_stamp << quint32(m_installed.size());
    for (auto it = m_installed.cbegin(); it != m_installed.cend(); ++it)
        out << it.key() << it.value();
    out << quint32(m_captions.size());
    for (auto it = m_captions.cbegin(); it != m_captions.cend(); ++it) {
        out << it.key();
        WriteImage(out, it.value());
    }
    file.commit();
}
