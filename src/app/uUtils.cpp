#include "app/uUtils.h"

#include "base/WindowLook.h"
#include "compose/uMail.h"

#include <QLineEdit>

void OpenComposer(const QString& Subject, const QString& To, const QString& CC, const QString& BCC)
{
    auto* f = new TfMail();
    f->leSubject->setText(Subject);
    f->leTo->setText(To);
    f->leCC->setText(CC);
    f->leBCC->setText(BCC);
    ShowInFront(f);
}
