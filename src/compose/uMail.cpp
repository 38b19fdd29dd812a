#include "compose/uMail.h"

#include "app/FadeIn.h"
#include "app/uUtils.h"

#include <QFormLayout>
#include <QLineEdit>

TfMail::TfMail(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Compose"));
    resize(811, 600);
    auto* header = new QWidget(this);
    auto* form = new QFormLayout(header);
    leSubject = new QLineEdit(header);
    leTo = new QLineEdit(header);
    leCC = new QLineEdit(header);
    leBCC = new QLineEdit(header);
    form->addRow(QStringLiteral("Subject"), leSubject);
    form->addRow(QStringLiteral("To"), leTo);
    form->addRow(QStringLiteral("CC"), leCC);
    form->addRow(QStringLiteral("BCC"), leBCC);
    setCentralWidget(header);
    Fade = new TFadeIn(this, nullptr);
    FormCreate();
}

TfMail::~TfMail() = default;

void TfMail::FormCreate()
{
    SetDoubleBufferedDeep(this);
    Fade->StartFadeIn();
}
