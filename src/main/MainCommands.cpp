#include "main/MainCommands.h"

#include "commandbars/Command.h"
#include "commandbars/CommandManager.h"

#include <QKeySequence>

namespace {

// Adds commands to a manager while the item tree is written down: each
// command item creates its command in the current category.
class TBarBuilder {
public:
    explicit TBarBuilder(TCommandManager* manager) : m_manager(manager) {}

    void Category(const QString& category) { m_category = category; }

    // A command item; the name is given for commands the window binds,
    // otherwise derived from the category and the caption.
    TBarItem C(const QString& caption, const QList<QKeySequence>& keys = {},
               const QString& name = QString(), int picture = -1)
    {
        QString id = name;
        if (id.isEmpty()) {
            id = QStringLiteral("ac");
            for (const QChar ch : m_category + TCommand::StripAccelerator(caption))
                if (ch.isLetterOrNumber())
                    id += ch;
        }
        m_manager->AddCommand(id, m_category, caption, picture, keys);
        return TBarItem::MakeCommand(id, caption);
    }
    static TBarItem S() { return TBarItem::MakeSeparator(); }
    static TBarItem M(const QString& caption, const QList<TBarItem>& items)
    {
        return TBarItem::MakeSubmenu(caption, items);
    }

private:
    TCommandManager* m_manager;
    QString m_category;
};

QKeySequence Key(QKeyCombination key)
{
    return QKeySequence(key);
}

QList<TBarItem> StatusItems(TBarBuilder& b, const QString& category, const QString& invisible)
{
    b.Category(category);
    return {b.C(QStringLiteral("&Available")), b.C(QStringLiteral("A&way")),
            b.C(QStringLiteral("&Far Away")), TBarBuilder::S(), b.C(invisible)};
}

} // namespace

TBarLayout BuildMenuBarCommands(TCommandManager* amMenuBar)
{
    TBarBuilder b(amMenuBar);
    QList<TBarItem> file, edit, view, message, tools, help;

    b.Category(QStringLiteral("New"));
    const TBarItem newMenu =
        b.M(QStringLiteral("&New"),
            {b.C(QStringLiteral("&E-mail Message"), {Key(Qt::CTRL | Qt::Key_N)},
                 QStringLiteral("acEmailMessage")),
             b.C(QStringLiteral("&Conference")), b.C(QStringLiteral("&Instant Message")),
             b.C(QStringLiteral("&SMS"))});
    b.Category(QStringLiteral("Import"));
    const TBarItem importMenu =
        b.M(QStringLiteral("&Import"), {b.C(QStringLiteral("&E-mail messages ...")),
                                        b.C(QStringLiteral("&Address Book ..."))});
    b.Category(QStringLiteral("Export"));
    const TBarItem exportMenu =
        b.M(QStringLiteral("E&xport"), {b.C(QStringLiteral("&E-mail messages ...")),
                                        b.C(QStringLiteral("&Address Book ..."))});
    b.Category(QStringLiteral("File"));
    file = {newMenu,
            b.S(),
            b.C(QStringLiteral("&Open")),
            b.C(QStringLiteral("&Save As ...")),
            b.S(),
            importMenu,
            exportMenu,
            b.S(),
            b.C(QStringLiteral("&Print Setup")),
            b.C(QStringLiteral("P&rint ...")),
            b.S(),
            b.C(QStringLiteral("&Close")),
            b.C(QStringLiteral("&Logout")),
            b.C(QStringLiteral("&Exit"), {}, QStringLiteral("Action23"))};

    b.Category(QStringLiteral("Edit"));
    edit = {
        b.C(QStringLiteral("&Undo"), {Key(Qt::CTRL | Qt::Key_Z), Key(Qt::ALT | Qt::Key_Backspace)}),
        b.S(),
        b.C(QStringLiteral("&Copy"), {Key(Qt::CTRL | Qt::Key_C)}),
        b.C(QStringLiteral("Cu&t"), {Key(Qt::CTRL | Qt::Key_X)}),
        b.C(QStringLiteral("&Paste"), {Key(Qt::CTRL | Qt::Key_V)}),
        b.S(),
        b.C(QStringLiteral("&Select All"), {Key(Qt::CTRL | Qt::Key_A)}),
        b.S(),
        b.C(QStringLiteral("&Find ..."), {Key(Qt::CTRL | Qt::Key_F), Key(Qt::Key_F3)}),
        b.S(),
        b.C(QStringLiteral("&Delete"), {Key(Qt::Key_Delete)})};

    b.Category(QStringLiteral("View Style"));
    const TBarItem viewStyle =
        b.M(QStringLiteral("&View Style"),
            {b.C(QStringLiteral("&Full Mode"), {}, QStringLiteral("Action32")),
             b.C(QStringLiteral("&Messenger Mode"), {}, QStringLiteral("Action33")),
             b.C(QStringLiteral("&AppBar Mode"), {}, QStringLiteral("Action34"))});
    b.Category(QStringLiteral("Sort By"));
    const TBarItem sortBy = b.M(
        QStringLiteral("&Sort By"),
        {b.C(QStringLiteral("&Date")), b.C(QStringLiteral("&Subject")),
         b.C(QStringLiteral("&From")), b.C(QStringLiteral("&To")), b.C(QStringLiteral("&Priority")),
         b.C(QStringLiteral("S&ize")), b.C(QStringLiteral("&Attachments")), b.S(),
         b.C(QStringLiteral("As&cending")), b.C(QStringLiteral("D&escending"))});
    b.Category(QStringLiteral("Panels"));
    const TBarItem panels =
        b.M(QStringLiteral("&Panels"),
            {b.C(QStringLiteral("&Folders")), b.C(QStringLiteral("&Contacts")),
             b.C(QStringLiteral("&E-Mail Headers")), b.C(QStringLiteral("E-&mail Preview"))});
    b.Category(QStringLiteral("Contacts"));
    const TBarItem contacts =
        b.M(QStringLiteral("Co&ntacts"),
            {b.C(QStringLiteral("&All Contacts")), b.C(QStringLiteral("&Online Contacts")), b.S(),
             b.C(QStringLiteral("&Zentro Contacts")), b.C(QStringLiteral("&Yahoo Contacts")),
             b.C(QStringLiteral("&ICQ Contacts")), b.C(QStringLiteral("&MSN Contacts"))});
    b.Category(QStringLiteral("View"));
    view = {viewStyle,
            sortBy,
            b.C(QStringLiteral("C&olumns ...")),
            panels,
            b.S(),
            contacts,
            b.C(QStringLiteral("&Refresh"), {Key(Qt::Key_F5)}),
            b.S(),
            b.C(QStringLiteral("&Customize Toolbar"), {}, QStringLiteral("Action3"))};

    b.Category(QStringLiteral("Message"));
    message = {b.C(QStringLiteral("&Reply")),
               b.C(QStringLiteral("&Forward")),
               b.C(QStringLiteral("F&orward As Attachment")),
               b.S(),
               b.C(QStringLiteral("&Mark As Read")),
               b.S()};
    b.Category(QStringLiteral("Block"));
    message.append(b.M(QStringLiteral("&Block"),
                       {b.C(QStringLiteral("&Sender")), b.C(QStringLiteral("&Domain"))}));

    b.Category(QStringLiteral("Tools"));
    tools = {b.C(QStringLiteral("&Address Book")), b.S(), b.C(QStringLiteral("&E-mail Filters")),
             b.S()};
    QList<TBarItem> status;
    status.append(b.M(QStringLiteral("&Zentro"),
                      StatusItems(b, QStringLiteral("Zentro"), QStringLiteral("&Invisible"))));
    status.append(b.M(QStringLiteral("&Yahoo"),
                      StatusItems(b, QStringLiteral("Yahoo"), QStringLiteral("&Invisible"))));
    status.append(b.M(QStringLiteral("M&SN"),
                      StatusItems(b, QStringLiteral("MSN"), QStringLiteral("&Invisible"))));
    status.append(b.M(QStringLiteral("&ICQ"),
                      StatusItems(b, QStringLiteral("ICQ"), QStringLiteral("&Invisible"))));
    status.append(b.S());
    status += StatusItems(b, QStringLiteral("My Status"), QStringLiteral("I&nvisible"));
    tools.append(b.M(QStringLiteral("&My Status"), status));
    b.Category(QStringLiteral("Tools"));
    tools.append(b.C(QStringLiteral("&Options")));

    b.Category(QStringLiteral("Help"));
    help = {b.C(QStringLiteral("&Help Index"), {Key(Qt::Key_F1)}), b.S(),
            b.C(QStringLiteral("&About ZentroMail"))};

    TBarLayout bar;
    bar.Caption = QStringLiteral("MenuBar");
    bar.CaptionOptions = TCaptionOption::coAll;
    bar.Items = {b.M(QStringLiteral(" &File "), file),   b.M(QStringLiteral(" E&dit "), edit),
                 b.M(QStringLiteral(" &View "), view),   b.M(QStringLiteral(" &Message "), message),
                 b.M(QStringLiteral(" &Tools "), tools), b.M(QStringLiteral(" &Help "), help)};
    // The Message menu waits for a selected message header.
    bar.Items[TopLevelMenuOf(bar, QLatin1String(MessageMenuCommand))].Visible = false;
    return bar;
}

namespace {
bool Holds(const QList<TBarItem>& items, const QString& command)
{
    for (const TBarItem& item : items)
        if (item.Command == command || Holds(item.Items, command))
            return true;
    return false;
}
} // namespace

int TopLevelMenuOf(const TBarLayout& bar, const QString& command)
{
    for (int i = 0; i < bar.Items.size(); ++i)
        if (bar.Items[i].Kind == TBarItem::ikSubmenu && Holds(bar.Items[i].Items, command))
            return i;
    return -1;
}

TBarLayout BuildToolBarCommands(TCommandManager* amToolBar)
{
    TBarBuilder b(amToolBar);
    TBarLayout bar;
    bar.Caption = QStringLiteral("Toolbar");
    bar.CaptionOptions = TCaptionOption::coNone;
    bar.SmallIcons = true;
    // Keys for what only the toolbar offers (Compose is File, New, Ctrl+N).
    bar.Items = {
        b.C(QStringLiteral("&Compose"), {}, QStringLiteral("acCompose"), 0),
        b.C(QStringLiteral("&Reply"), {Key(Qt::CTRL | Qt::Key_R)}, QStringLiteral("Action4"), 1),
        b.C(QStringLiteral("&Forward"), {Key(Qt::CTRL | Qt::Key_L)}, QStringLiteral("Action8"), 2),
        b.S(),
        b.C(QStringLiteral("C&heck"), {Key(Qt::Key_F9)}, QStringLiteral("Action6"), 3),
        b.S(),
        b.C(QStringLiteral("&AddressBook"), {}, QStringLiteral("acAddressBook"), 4),
        b.S(),
        b.C(QStringLiteral("F&ind"), {}, QStringLiteral("acFind"), 5),
        b.C(QStringLiteral("&Print"), {Key(Qt::CTRL | Qt::Key_P)}, QStringLiteral("acPrint"), 6)};
    // Offered by the customization dialog, not on the bar.
    b.C(QStringLiteral("&Close"), {}, QStringLiteral("acClose"), 7);
    return bar;
}
