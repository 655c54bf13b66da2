#include "app/frm_about.h"
#include "app/program.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

// The readme is compiled into the program library.
static void initAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace app {

FrmAbout::FrmAbout(Program &program, QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(platform::kAppTitle + QStringLiteral(" のバージョン情報"));
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);

    LblVersion = new QLabel(platform::kAppTitle, this);
    LblVersion->setObjectName(QStringLiteral("LblVersion"));
    QFont big = LblVersion->font();
    big.setPixelSize(16);
    big.setBold(true);
    LblVersion->setFont(big);

    LblFolder = new QLabel(QStringLiteral("インストール先：") +
                               QDir::toNativeSeparators(program.platform().programFolder()),
                           this);
    LblFolder->setObjectName(QStringLiteral("LblFolder"));
    LblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    TxtReadme = new QPlainTextEdit(readmeText(), this);
    TxtReadme->setObjectName(QStringLiteral("TxtReadme"));
    TxtReadme->setReadOnly(true);

    CmdOK = new QPushButton(QStringLiteral("OK"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LblVersion);
    layout->addWidget(LblFolder);
    layout->addWidget(TxtReadme, 1);
    layout->addWidget(CmdOK, 0, Qt::AlignRight);
    resize(560, 420);
}

QString FrmAbout::readmeText()
{
    initAboutResources();
    QFile file(QStringLiteral(":/lamoria/README.md"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace app
