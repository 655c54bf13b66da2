// The settings file "LAMOR.ini" and the options dialog: reading the
// "Option" section, the dialog's load, typing check, apply and cancel, a
// read-only file, a file in the ANSI code page, and the Esc / double-click
// option of the main window.
#include "harness/program/program_fixture.h"
#include "harness/widgets.h"

#include "app/frm_main.h"
#include "app/frm_option.h"
#include "app/program.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QPushButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QLabel>
#include <QLineEdit>

using namespace platform;

namespace {

class SettingsTest : public harness::ProgramFixture {
protected:
    QString drawing()
    {
        return drawingFile(QStringLiteral("plan.dxf"),
                           {{QStringLiteral("0")}, {QStringLiteral("A-1")}, {QStringLiteral("B-2")}});
    }
    // Writes the settings file, starts a host and the program.
    app::Program &startWith(const QString &ini)
    {
        harness::writeBytes(iniPath(), platform::toAnsi(ini));
        startHost({drawing()});
        return startProgram();
    }
    QString iniText() { return platform::fromAnsi(harness::readBytes(iniPath())); }
};

// ---- reading section "Option" ------------------------------------------------

struct OptionCase {
    const char *label;
    const char *ini;
    QString delimiter;
    int smallViewClass, escAllView, autoHide, onOffDetail;
};

class OptionRead : public SettingsTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(OptionRead, GlobalsAndDelimiterLabels)
{
    const OptionCase &c = GetParam();
    harness::writeBytes(iniPath(), platform::toAnsi(QString::fromUtf8(c.ini)));
    app::Program &p = makeProgram();
    QString path = QStringLiteral("LAMOR.ini");
    p.pu_subLoadOptions(path);
    EXPECT_EQ(path, iniPath()); // made absolute in place
    EXPECT_EQ(p.gDelimiter, c.delimiter);
    EXPECT_EQ(p.gSmallViewClass, c.smallViewClass);
    EXPECT_EQ(p.gEscAllView, c.escAllView);
    EXPECT_EQ(p.gAutoHide, c.autoHide);
    EXPECT_EQ(p.gOnOffDetail, c.onOffDetail);
    for (QLabel *l : p.frmMain().LblItemDeli)
        EXPECT_EQ(l->text(), c.delimiter);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, OptionRead,
    ::testing::Values(
        OptionCase{"NoSection", "[FormView]\r\nheight=900\r\n", "-", 1, 1, 1, 0},
        OptionCase{"SpaceCode", "[Option]\r\ndelimiter=\\s\r\n", " ", 1, 1, 1, 0},
        OptionCase{"SpaceCodes", "[Option]\r\ndelimiter=_\\s_\\s\r\n", "_ _ ", 1, 1, 1, 0},
        // A key with an empty value is no absent key: the delimiter is empty.
        OptionCase{"EmptyValue", "[Option]\r\ndelimiter=\r\n", "", 1, 1, 1, 0},
        // Plain blanks around a value are the file's layout, not the value.
        OptionCase{"BlanksTrimmed", "[Option]\r\ndelimiter=  .  \r\n", ".", 1, 1, 1, 0},
        OptionCase{"Flags", "[Option]\r\nSmallViewClass=0\r\nEscALLView=0\r\nAutoHide=0\r\n"
                            "ChkONOFFDetail=1\r\n", "-", 0, 0, 0, 1},
        OptionCase{"KeysIgnoreCase", "[option]\r\nDELIMITER=+\r\nautohide=0\r\n", "+", 1, 1, 0, 0}),
    [](const auto &info) { return std::string(info.param.label); });

// ---- the options dialog --------------------------------------------------------

TEST_F(SettingsTest, DialogShowsStoredValuesAndAppliesChanges)
{
    app::Program &p = startWith(QStringLiteral("[Option]\r\ndelimiter=\\s\r\nAutoHide=0\r\n"));
    app::FrmMain &f = p.frmMain();
    f.setHeight(app::FrmMain::kModeHeight);
    ui().onForm("frmOption", [&](QWidget &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Lamoria Ver2.01 オプション設定"));
        EXPECT_EQ(harness::findAs<QLabel>(form, "Label3")->text(), QStringLiteral("<>/\\\":?*|,=`"));
        EXPECT_EQ(harness::findAs<QLineEdit>(form, "TxtDeli")->text(), QStringLiteral(" "));
        EXPECT_TRUE(harness::findAs<QCheckBox>(form, "ChkSmallView")->isChecked());
        EXPECT_TRUE(harness::findAs<QCheckBox>(form, "ChkViewChange")->isChecked());
        EXPECT_FALSE(harness::findAs<QCheckBox>(form, "ChkAutoHide")->isChecked());
        EXPECT_FALSE(harness::findAs<QCheckBox>(form, "ChkONOFFDetail")->isChecked());
        harness::type(form, "TxtDeli", QStringLiteral("_ "));
        harness::click(form, "ChkSmallView");
        harness::click(form, "ChkONOFFDetail");
        harness::click(form, "CmdSave");
    });
    harness::click(*f.CmdSetting);

    EXPECT_EQ(iniText(), QStringLiteral("[Option]\r\ndelimiter=_\\s\r\nAutoHide=0\r\n"
                                        "SmallViewClass=0\r\nEscALLView=1\r\nChkONOFFDetail=1\r\n"));
    EXPECT_EQ(p.gDelimiter, QStringLiteral("_ "));
    EXPECT_EQ(f.LblItemDeli[0]->text(), QStringLiteral("_ "));
    EXPECT_EQ(p.gSmallViewClass, 0);
    EXPECT_EQ(p.gOnOffDetail, 1);
    // The window keeps its height; the combos are filled again.
    EXPECT_EQ(f.Height(), app::FrmMain::kModeHeight);
    EXPECT_EQ(harness::itemTexts(*f.CboLayer),
              (QStringList{"   (ALL)   ", "0", "A-1", "B-2"}));
}

TEST_F(SettingsTest, InvalidCharacterTypedIsReplacedByHyphen)
{
    app::Program &p = startWith(QStringLiteral("[Option]\r\n"));
    const QString invalid = app::FrmOption::invalidCharacters();
    ASSERT_EQ(invalid.size(), 12);
    const QString message = QStringLiteral("画層名に無効な文字が含まれています。\r\n無効文字") +
                            QChar(0x3000) + invalid;
    ui().onForm("frmOption", [&](QWidget &form) {
        auto *txt = harness::findAs<QLineEdit>(form, "TxtDeli");
        for (const QChar c : invalid) {
            SCOPED_TRACE(QString(c).toStdString());
            ui().expectMsgBox(message, vbCritical, vbOK);
            harness::type(*txt, QStringLiteral("_") + c);
            EXPECT_EQ(txt->text(), QStringLiteral("-"));
        }
        // Allowed characters, Japanese ones included, pass without a word.
        harness::type(*txt, QStringLiteral("・ ."));
        EXPECT_EQ(txt->text(), QStringLiteral("・ ."));
        harness::click(form, "CmdClose");
    });
    harness::click(*p.frmMain().CmdSetting);
    EXPECT_EQ(p.gDelimiter, QStringLiteral("-"));
}

TEST_F(SettingsTest, EmptyDelimiterIsAppliedAsHyphen)
{
    app::Program &p = startWith(QStringLiteral("[Option]\r\ndelimiter=_\r\n"));
    ui().onForm("frmOption", [&](QWidget &form) {
        harness::type(form, "TxtDeli", QString());
        ui().expectMsgBox(QStringLiteral("区切り文字が適切でありません。\r「-」に設定します。"),
                          vbOKOnly + vbExclamation, vbOK);
        harness::click(form, "CmdSave");
    });
    harness::click(*p.frmMain().CmdSetting);
    EXPECT_TRUE(iniText().startsWith(QStringLiteral("[Option]\r\ndelimiter=-\r\n")));
    EXPECT_EQ(p.gDelimiter, QStringLiteral("-"));
}

TEST_F(SettingsTest, CancelWritesNothing)
{
    const QString ini = QStringLiteral("[Option]\r\ndelimiter=_\r\n");
    app::Program &p = startWith(ini);
    ui().onForm("frmOption", [&](QWidget &form) {
        harness::type(form, "TxtDeli", QStringLiteral("+"));
        harness::click(form, "ChkAutoHide");
        harness::click(form, "CmdClose");
    });
    harness::click(*p.frmMain().CmdSetting);
    EXPECT_EQ(iniText(), ini);
    EXPECT_EQ(p.gDelimiter, QStringLiteral("_"));
    EXPECT_EQ(p.gAutoHide, 1);
}

TEST_F(SettingsTest, ReadOnlyFileKeepsOptionsWhenApplied)
{
    const QString ini = QStringLiteral("[Option]\r\ndelimiter=_\r\nAutoHide=0\r\n");
    harness::writeBytes(iniPath(), platform::toAnsi(ini));
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    startHost({drawing()});
    app::Program &p = startProgram();
    EXPECT_FALSE(p.gIniWritable);
    ui().onForm("frmOption", [&](QWidget &form) {
        harness::type(form, "TxtDeli", QStringLiteral("+"));
        harness::click(form, "ChkAutoHide");
        harness::click(form, "CmdSave"); // no message: the file silently stays
    });
    harness::click(*p.frmMain().CmdSetting);
    EXPECT_EQ(p.gDelimiter, QStringLiteral("_"));
    EXPECT_EQ(p.gAutoHide, 0);
    harness::click(*p.frmMain().CmdEND);
    QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(iniText(), ini);
}

TEST_F(SettingsTest, JapaneseFileInCodePageIsReadAndRewrittenKeepingItsLines)
{
    // A file as the Windows program leaves it: Shift-JIS, comments, the
    // script section of another feature, Japanese values.
    const QString before = QStringLiteral(
        "; ラモリア設定\r\n"
        "[Option]\r\n"
        "delimiter=＿\r\n"
        "AutoHide=0\r\n"
        "\r\n"
        "[Script]\r\n"
        "ScriptName1=画層ごとの印刷\r\n");
    const QByteArray bytes = platform::toAnsi(before);
    ASSERT_EQ(platform::fromAnsi(bytes), before);
    harness::writeBytes(iniPath(), bytes);
    startHost({drawing()});
    app::Program &p = startProgram();
    EXPECT_EQ(p.gDelimiter, QStringLiteral("＿"));
    EXPECT_EQ(p.gAutoHide, 0);

    ui().onForm("frmOption", [&](QWidget &form) {
        EXPECT_EQ(harness::findAs<QLineEdit>(form, "TxtDeli")->text(), QStringLiteral("＿"));
        harness::type(form, "TxtDeli", QStringLiteral("・"));
        harness::click(form, "CmdSave");
    });
    harness::click(*p.frmMain().CmdSetting);
    EXPECT_EQ(p.gDelimiter, QStringLiteral("・"));
    EXPECT_EQ(harness::readBytes(iniPath()),
              platform::toAnsi(QStringLiteral(
                  "; ラモリア設定\r\n"
                  "[Option]\r\n"
                  "delimiter=・\r\n"
                  "AutoHide=0\r\n"
                  "SmallViewClass=1\r\n"
                  "EscALLView=1\r\n"
                  "ChkONOFFDetail=0\r\n"
                  "\r\n"
                  "[Script]\r\n"
                  "ScriptName1=画層ごとの印刷\r\n")));
}

// ---- "Escキー、画面ダブルクリック1回で最大表示。" ------------------------------------

struct EscCase {
    const char *label;
    int option;    // EscALLView
    int start;     // height before
    bool esc;      // the Esc key (else a double-click on the window)
    int expected;  // height after
};

class EscAllView : public SettingsTest, public ::testing::WithParamInterface<EscCase> {};

TEST_P(EscAllView, HeightAfterKeyOrDoubleClick)
{
    const EscCase &c = GetParam();
    app::Program &p =
        startWith(QStringLiteral("[Option]\r\nEscALLView=%1\r\nSmallViewClass=0\r\n").arg(c.option));
    app::FrmMain &f = p.frmMain();
    f.setHeight(c.start);
    if (c.esc)
        harness::pressKey(*f.CboLayer, Qt::Key_Escape); // reaches the window from a control
    else
        f.Form_DblClick();
    EXPECT_EQ(f.Height(), c.expected);
    const bool full = c.expected >= app::FrmMain::kFullHeight;
    EXPECT_EQ(f.LstON->isVisibleTo(&f), full);
    EXPECT_EQ(f.FraList->isVisibleTo(&f), full);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, EscAllView,
    ::testing::Values(EscCase{"EscFromSmall", 1, 900, true, 4890},
                      EscCase{"EscFromClass", 1, 1335, true, 4890},
                      EscCase{"EscFromMode", 1, 1910, true, 4890},
                      EscCase{"EscAtFullStays", 1, 6000, true, 6000},
                      EscCase{"EscOptionOff", 0, 1335, true, 1335},
                      EscCase{"DblClickFromClass", 1, 1335, false, 4890},
                      EscCase{"DblClickFromMode", 1, 1910, false, 4890},
                      // At the full view the usual cycle goes on.
                      EscCase{"DblClickAtFullCycles", 1, 4890, false, 1910},
                      EscCase{"DblClickOptionOffCycles", 0, 1335, false, 900}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace
