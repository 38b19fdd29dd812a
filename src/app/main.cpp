#include "app/Application.h"
#include "app/Platform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!ChoosePlatform(argc, argv))
        return 1;
    PrepareApplication();
    QApplication app(argc, argv);
    SetUpApplication(app);
    CreateStartupWindows();
    const int rc = QApplication::exec();
    DestroyAllWindows();
    return rc;
}
