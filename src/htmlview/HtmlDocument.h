#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>

class THtmlView;

// A late-bound reference to the document of an HTML view, driven by name
// as the windows drive it: method calls, property writes and object
// property reads, names matched without regard to case. A name the
// document does not support raises EHtmlDocumentError.
//
// Supported on the document: methods execCommand(command, showUI, value),
// queryCommandValue(command), queryCommandEnabled(command),
// queryCommandState(command), Open(type), Clear(), Write(html...),
// Close(); property writes designMode and bgColor; the object property
// script (its window). On the window: the object property document.
//
// Nothing blocks on the engine: commands are sent to it, and questions are
// answered from the latest state snapshot that the page's bridge reported.
class THtmlDocument {
public:
    THtmlDocument() = default;

    // True while this refers to a document (an empty reference is what
    // THtmlView::Document() yields before there is one).
    bool IsNull() const { return m_kind == Kind::None; }
    explicit operator bool() const { return !IsNull(); }
    // True while calls can reach it: it refers to a document whose view
    // still exists. Calls by the names above with their arguments then
    // raise nothing.
    bool IsAlive() const { return !IsNull() && !m_view.isNull(); }

    QVariant Call(const QString& name, const QVariantList& args = {}) const;
    void Set(const QString& name, const QVariant& value) const;
    THtmlDocument Get(const QString& name) const;

    // The same document of the same view.
    bool operator==(const THtmlDocument& other) const;

private:
    friend class THtmlView;
    enum class Kind { None, Document, Window };
    THtmlDocument(THtmlView* view, Kind kind);

    THtmlView* View() const;
    [[noreturn]] void Unsupported(const QString& name) const;

    QPointer<THtmlView> m_view;
    Kind m_kind = Kind::None;
};
