#include "app/frm_option.h"
#include "app/frm_main.h"
#include "app/program.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

const QString kSection = QStringLiteral("Option");
const QString kSpaceCode = QStringLiteral("\\s");

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

QString FrmOption::invalidCharacters()
{
    return QStringLiteral("<>/\\\":?*|,=`");
}

FrmOption::FrmOption(Program &program, QWidget *owner) : QDialog(owner), m_p(program)
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(QStringLiteral("画層名の区切り文字"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    TxtDeli = new QLineEdit(this);
    TxtDeli->setObjectName(QStringLiteral("TxtDeli"));
    TxtDeli->setMaximumWidth(120);
    Label2 = new QLabel(QStringLiteral("※画層名に無効な文字は適用できません。"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(invalidCharacters(), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setTextFormat(Qt::PlainText);

    ChkONOFFDetail = checkBox(
        this, "ChkONOFFDetail",
        QStringLiteral("「ON」「OFF」「排他」ボタンで表示されるメッセージで詳細を表示する。"));
    ChkAutoHide = checkBox(this, "ChkAutoHide",
                           QStringLiteral("AutoCADがアクティブになった時に自動で画面を小さくする。"));
    ChkViewChange =
        checkBox(this, "ChkViewChange", QStringLiteral("Escキー、画面ダブルクリック1回で最大表示。"));
    ChkSmallView = checkBox(this, "ChkSmallView", QStringLiteral("分類指定を常に表示する。"));
    CmdSave = button(this, "CmdSave", QStringLiteral("適用"));
    CmdClose = button(this, "CmdClose", QStringLiteral("ｷｬﾝｾﾙ"));

    auto *deli = new QGridLayout;
    deli->addWidget(Label1, 0, 0);
    deli->addWidget(TxtDeli, 0, 1);
    deli->addWidget(Label2, 1, 0, 1, 2);
    deli->addWidget(Label3, 2, 0, 1, 2);
    deli->setColumnStretch(2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CmdSave);
    buttons->addWidget(CmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(deli);
    layout->addSpacing(8);
    layout->addWidget(ChkONOFFDetail);
    layout->addWidget(ChkAutoHide);
    layout->addWidget(ChkViewChange);
    layout->addWidget(ChkSmallView);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(TxtDeli, &QLineEdit::textChanged, this, [this] { TxtDeli_Change(); });
    connect(CmdSave, &QPushButton::clicked, this, [this] { CmdSave_Click(); });
    connect(CmdClose, &QPushButton::clicked, this, [this] { CmdClose_Click(); });

    Form_Load();
}

void FrmOption::Form_Load()
{
    mIniPath = QStringLiteral("LAMOR.ini");
    m_p.pu_fun_iCheckIniFile(mIniPath);
    const auto flag = [this](const char *key, int dflt) {
        return m_p.pu_fun_vGetIni(mIniPath, kSection, QLatin1String(key), dflt, true).toInt() != 0;
    };
    TxtDeli->setText(
        m_p.pu_fun_vGetIni(mIniPath, kSection, QStringLiteral("delimiter"), QStringLiteral("-"), false)
            .toString()
            .replace(kSpaceCode, QStringLiteral(" ")));
    ChkSmallView->setChecked(flag("SmallViewClass", 1));
    ChkViewChange->setChecked(flag("EscALLView", 1));
    ChkAutoHide->setChecked(flag("AutoHide", 1));
    ChkONOFFDetail->setChecked(flag("ChkONOFFDetail", 0));
    setWindowTitle(platform::kAppTitle + QStringLiteral(" オプション設定"));
}

void FrmOption::TxtDeli_Change()
{
    const QString text = TxtDeli->text();
    if (text.isEmpty())
        return;
    const QString invalid = invalidCharacters();
    for (const QChar c : text) {
        if (invalid.contains(c)) {
            m_p.MsgBox(QStringLiteral("画層名に無効な文字が含まれています。\r\n無効文字") +
                           QChar(0x3000) + invalid,
                       platform::vbCritical);
            TxtDeli->setText(QStringLiteral("-"));
            return;
        }
    }
}

void FrmOption::CmdSave_Click()
{
    QString delimiter = TxtDeli->text();
    if (delimiter.isEmpty()) {
        m_p.MsgBox(QStringLiteral("区切り文字が適切でありません。\r「-」に設定します。"),
                   platform::vbExclamation);
        delimiter = QStringLiteral("-");
    }
    const auto bit = [](const QCheckBox *c) { return c->isChecked() ? 1 : 0; };
    m_p.pu_fun_lSetIni(mIniPath, kSection, QStringLiteral("delimiter"),
                       QString(delimiter).replace(QLatin1Char(' '), kSpaceCode));
    m_p.pu_fun_lSetIni(mIniPath, kSection, QStringLiteral("SmallViewClass"), bit(ChkSmallView));
    m_p.pu_fun_lSetIni(mIniPath, kSection, QStringLiteral("EscALLView"), bit(ChkViewChange));
    m_p.pu_fun_lSetIni(mIniPath, kSection, QStringLiteral("AutoHide"), bit(ChkAutoHide));
    m_p.pu_fun_lSetIni(mIniPath, kSection, QStringLiteral("ChkONOFFDetail"), bit(ChkONOFFDetail));

    m_p.pu_subLoadOptions(mIniPath);
    m_p.pu_subSetCboLayers();
    m_p.pu_subSetCboItems();
    hide();
}

void FrmOption::CmdClose_Click() { hide(); }

// ---- the main window's "設定" button opens the dialog ----------------------

void Program::ShowOptions(QWidget *owner)
{
    FrmOption form(*this, owner);
    ShowModal(form);
}

} // namespace app
