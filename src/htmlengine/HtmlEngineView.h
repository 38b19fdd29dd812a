#pragma once

#include "htmlview/HtmlEngine.h"

#include <QObject>

class QWebChannel;
class THtmlPage;

// The HTML engine of one view: the engine's widget, its page with the
// program's bridge script, the request policy and the "res" scheme. Pages
// never run their own scripts and reach no local file.
class THtmlEngineView : public QObject, public THtmlEngine {
    Q_OBJECT
public:
    THtmlEngineView(QWidget* parent, QObject* bridge, const TEvents& events);
    ~THtmlEngineView() override;

    QWidget* Widget() const override;
    QWebEngineView* View() const override { return m_view; }
    THtmlRequestPolicy* RequestPolicy() const override { return m_policy; }

    void Load(const QUrl& url) override;
    QUrl Url() const override;
    void Stop() override;
    void Apply(const TSettings& settings) override;
    void Trigger(TAction action) override;
    void RunScript(const QString& source,
                   const std::function<void(const QVariant&)>& result) override;

private:
    TEvents m_events;
    THtmlRequestPolicy* m_policy;
    QWebEngineView* m_view;
    THtmlPage* m_page;
    QWebChannel* m_channel;
};
