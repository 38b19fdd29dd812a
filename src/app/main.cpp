#include "app/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    PrepareApplication();
    QApplication app(argc, argv);
    SetUpApplication(app);
    CreateStartupWindows();
    const int rc = QApplication::exec();
    DestroyAllWindows();
    return rc;
}
