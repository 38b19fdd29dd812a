#pragma once

#include <QOpenGLContext>

// Qt keeps the context that every GL context of the program shares with
// here; it has no public setter, and the attribute that makes Qt create
// it only counts before the application object exists. The engine reads
// it as its library loads, and makes it only when it draws with GL.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE
