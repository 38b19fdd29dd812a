#include "app/Application.h"
#include "base/AppSetup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SetUpApplication(app);
    CreateStartupWindows();
    const int rc = QApplication::exec();
    DestroyAllWindows();
    return rc;
}
