#pragma once

#include "htmlview/HtmlEngine.h"

// Starts the HTML engine for one view, loading the engine's library the
// first time. Null when the library cannot be found or loaded: the reason
// goes to the log once, and the view stays an empty area.
THtmlEngine* CreateHtmlEngine(QWidget* parent, QObject* bridge, const THtmlEngine::TEvents& events);
