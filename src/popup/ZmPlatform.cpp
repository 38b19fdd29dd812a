#include "popup/ZmPlatform.h"

#include <QApplication>
#include <QLibrary>
#include <QProxyStyle>
#include <QScreen>
#include <QStyle>

namespace ZmPlatform {

namespace {

const QStyle* BaseStyle()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    const QStyle* style = QApplication::style();
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style)) {
        if (!proxy->baseStyle() || proxy->baseStyle() == style)
            break;
        style = proxy->baseStyle();
    }
    return style;
}

// libcanberra, loaded on first use when the system has it: the desktop's
// event sounds without a build dependency.
class TEventSounds {
public:
    bool Play(const char* eventId)
    {
        if (!m_loaded)
            Load();
        if (!m_context)
            return false;
        return m_play(m_context, 0, "event.id", eventId, "media.role", "event",
                      static_cast<const char*>(nullptr)) == 0;
    }

private:
    using CreateFn = int (*)(void**);
    using PlayFn = int (*)(void*, unsigned, ...);

    void Load()
    {
        m_loaded = true;
        m_library.setFileNameAndVersion(QStringLiteral("canberra"), 0);
        if (!m_library.load())
            return;
        auto create = reinterpret_cast<CreateFn>(m_library.resolve("ca_context_create"));
        m_play = reinterpret_cast<PlayFn>(m_library.resolve("ca_context_play"));
        if (!create || !m_play || create(&m_context) != 0)
            m_context = nullptr;
    }

    bool m_loaded = false;
    QLibrary m_library;
    void* m_context = nullptr;
    PlayFn m_play = nullptr;
};

std::function<void(int)>& HelpHandler()
{
    static std::function<void(int)> handler;
    return handler;
}

} // namespace

int MenuShowDelay()
{
    const QStyle* style = BaseStyle();
    if (!style)
        return 400;
    return qMax(0, QApplication::style()->styleHint(QStyle::SH_Menu_SubMenuPopupDelay));
}

bool FlatMenus()
{
    const QStyle* style = BaseStyle();
    return !style || style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0;
}

QFont MenuFont()
{
    return QApplication::font("QMenu");
}

QRect WorkAreaAt(QPoint point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

bool UnderlineAcceleratorsAlways()
{
    return BaseStyle() && QApplication::style()->styleHint(QStyle::SH_UnderlineShortcut) != 0;
}

int HintDelay()
{
    return BaseStyle() ? QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay) : 700;
}

bool PlayEventSound(TZmEventSound sound)
{
    static TEventSounds sounds;
    return sounds.Play(sound == esMenuPopup ? "menu-popup" : "menu-click");
}

void SetHelpHandler(std::function<void(int)> handler)
{
    HelpHandler() = std::move(handler);
}

void ShowHelp(int helpContext)
{
    if (HelpHandler())
        HelpHandler()(helpContext);
}

} // namespace ZmPlatform
