// The scripted backend and the widget helpers the GUI tests stand on: they
// must fail a test for every box nobody expected and every expectation
// nobody met, and drive forms as a user would.
#include "harness/fixture.h"

#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace platform;
using namespace harness;

namespace {

class Harness : public PlatformFixture {};

TEST_F(Harness, AnswersMessageBoxesInOrderAndRecordsThem)
{
    ui().expectMsgBox(QStringLiteral("\u7d9a\u3051\u307e\u3059\u304b\uff1f\r\n\u753b\u5c64"), vbYesNo + vbQuestion, vbNo);
    ui().expectMsgBox().textContains(QStringLiteral("\u5b8c\u4e86")).style(vbInformation).answer(vbOK);

    EXPECT_EQ(platform().MsgBox(QStringLiteral("\u7d9a\u3051\u307e\u3059\u304b\uff1f\r\n\u753b\u5c64"), vbYesNo + vbQuestion), vbNo);
    EXPECT_EQ(platform().MsgBox(QStringLiteral("\u5b8c\u4e86\u3057\u307e\u3057\u305f\u3002"), vbInformation), vbOK);

    ASSERT_EQ(ui().shown().size(), 2u);
    EXPECT_EQ(ui().shown()[0].title, kAppTitle);
    EXPECT_EQ(ui().shown()[0].answer, vbNo);
    EXPECT_EQ(ui().shown()[1].style, vbOKOnly + vbInformation);
}

TEST_F(Harness, CommonErrorBox)
{
    ui().expectMsgBox(QStringLiteral("\u30a8\u30e9\u30fc\u304c CmdItemON_Click \u3067\u767a\u751f\u3057\u307e\u3057\u305f\u3002\r\n"
                                     "-2145386476\r\nKey not found"),
                      vbOKOnly + vbCritical, vbOK, QStringLiteral("Lamoria Ver2.01"));
    platform().ErrorBox(QStringLiteral("CmdItemON_Click"), -2145386476, QStringLiteral("Key not found"));
}

TEST_F(Harness, UnexpectedBoxFailsTheTestAndGetsTheDefaultAnswer)
{
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = platform().MsgBox(QStringLiteral("\u524a\u9664\u3057\u307e\u3059\u304b"), vbYesNo + vbQuestion),
                            "Unexpected message box");
    EXPECT_EQ(answer, vbYes);
    ASSERT_EQ(ui().shown().size(), 1u);
    EXPECT_FALSE(ui().shown()[0].expected);

    QString typed = QStringLiteral("x");
    EXPECT_NONFATAL_FAILURE(typed = platform().InputBox(QStringLiteral("?")), "Unexpected input box");
    EXPECT_EQ(typed, QString());
}

TEST_F(Harness, MismatchedBoxFailsTheTest)
{
    ui().expectMsgBox(QStringLiteral("A"), vbOKCancel + vbQuestion, vbOK);
    EXPECT_NONFATAL_FAILURE(platform().MsgBox(QStringLiteral("B"), vbOKCancel + vbQuestion), "Text of message box");
    ui().expectMsgBox(QStringLiteral("A"), vbOKCancel + vbQuestion, vbOK);
    EXPECT_NONFATAL_FAILURE(platform().MsgBox(QStringLiteral("A"), vbOKCancel + vbExclamation), "vbExclamation");
    ui().expectMsgBox().title(QStringLiteral("pu_fun_bRegExp"));
    EXPECT_NONFATAL_FAILURE(platform().MsgBox(QStringLiteral("A")), "Title of message box");
    ui().expectInputBox().answer(QStringLiteral("x"));
    EXPECT_NONFATAL_FAILURE(platform().MsgBox(QStringLiteral("A")), "Expected input box but got message box");
    // The input box expectation waits for its box.
    EXPECT_EQ(platform().InputBox(QStringLiteral("?")), QStringLiteral("x"));
}

TEST_F(Harness, UnmetExpectationsFailAtTheEnd)
{
    ui().expectMsgBox(QStringLiteral("never"), vbOKOnly, vbOK);
    EXPECT_NONFATAL_FAILURE(ui().verify(), "Expected message box \"never\" was never shown");
    EXPECT_EQ(ui().pendingExpectations(), 0);
    ui().onForm(QStringLiteral("frmNever"), [](QWidget &) {});
    EXPECT_NONFATAL_FAILURE(ui().verify(), "Modal form \"frmNever\" was never shown");
}

TEST_F(Harness, InputBoxAndOpenFileDialog)
{
    ui().expectInputBox().title(QStringLiteral("\u753b\u5c64\u540d\u306e\u4fee\u6b63")).defaultText("A-WALL").answer("A-DOOR");
    ui().expectInputBox().cancel();
    const FileFilters filters{{QStringLiteral("\u30c6\u30ad\u30b9\u30c8\u30d5\u30a1\u30a4\u30eb(*.txt)"), "*.txt"},
                              {QStringLiteral("\u30b9\u30af\u30ea\u30d7\u30c8\u30d5\u30a1\u30a4\u30eb(*.scr)"), "*.scr"}};
    ui().expectOpenFile().initialFolder(programFolder()).filters(filters).answer(programFolder() + "/a.txt");
    ui().expectOpenFile().cancel();

    EXPECT_EQ(platform().InputBox("p", QStringLiteral("\u753b\u5c64\u540d\u306e\u4fee\u6b63"), "A-WALL"), "A-DOOR");
    EXPECT_EQ(platform().InputBox("p"), "");
    EXPECT_EQ(platform().GetOpenFileName(nullptr, filters, programFolder()), programFolder() + "/a.txt");
    EXPECT_EQ(platform().GetOpenFileName(nullptr, filters, programFolder()), "");
    EXPECT_EQ(ui().shown()[2].title, QStringLiteral("\u30d5\u30a1\u30a4\u30eb\u3092\u958b\u304f"));
}

// A small form like the program's dialogs.
class TestForm : public QDialog {
public:
    TestForm()
    {
        setObjectName("frmTest");
        auto *layout = new QVBoxLayout(this);
        name = new QLineEdit(this);
        name->setObjectName("TxtName");
        layout->addWidget(name);
        for (int i = 0; i < 3; ++i) {
            auto *opt = new QRadioButton(QString::number(i), this);
            opt->setObjectName(arrayName("OptMode", i));
            layout->addWidget(opt);
        }
        auto *ok = new QPushButton("OK", this);
        ok->setObjectName("CmdOK");
        layout->addWidget(ok);
        connect(ok, &QPushButton::clicked, this, [this] { accept(); });
        connect(name, &QLineEdit::textChanged, this, [this] { ++changes; });
    }
    QLineEdit *name;
    int changes = 0;
};

TEST_F(Harness, ModalFormHookFillsAndPressesAButton)
{
    TestForm form;
    ui().onForm("frmTest", [](QWidget &f) {
        EXPECT_TRUE(f.isVisible());
        type(f, "TxtName", QStringLiteral("\u753b\u5c64"));
        click(f, arrayName("OptMode", 2));
        click(f, "CmdOK");
    });
    EXPECT_EQ(platform().ShowModal(form), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.name->text(), QStringLiteral("\u753b\u5c64"));
    EXPECT_EQ(form.changes, 2); // one change per key
    EXPECT_TRUE(form.findChild<QRadioButton *>("OptMode(2)")->isChecked());
    EXPECT_TRUE(platform().ownsWindow(&form));
    EXPECT_EQ(ui().formsShown(), QStringList{"frmTest"});
}

TEST_F(Harness, FormWithoutHookOrLeftOpenFailsAndIsClosed)
{
    TestForm form;
    int result = -1;
    EXPECT_NONFATAL_FAILURE(result = platform().ShowModal(form), "Unexpected modal form \"frmTest\"");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());

    ui().onNextForm([](QWidget &) {});
    EXPECT_NONFATAL_FAILURE(platform().ShowModal(form), "still open after its hook");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Harness, DisabledButtonCannotBeClicked)
{
    QPushButton b;
    b.setObjectName("CmdApply");
    bool clicked = false;
    QObject::connect(&b, &QPushButton::clicked, [&] { clicked = true; });
    b.setEnabled(false);
    EXPECT_NONFATAL_FAILURE(click(b), "disabled");
    EXPECT_FALSE(clicked);
}

TEST_F(Harness, ListSelectionWithControlAndShift)
{
    QListWidget list;
    list.setObjectName("LstON");
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    list.addItems({"A", "B", "C", "D", "E"});
    list.resize(200, 200);
    list.show();

    clickItem(list, 1);
    clickItem(list, 3, Qt::ShiftModifier);
    EXPECT_EQ(selectedTexts(list), (QStringList{"B", "C", "D"}));
    clickItem(list, "C", Qt::ControlModifier);
    EXPECT_EQ(selectedTexts(list), (QStringList{"B", "D"}));
    clickItem(list, "E", Qt::ControlModifier);
    EXPECT_EQ(selectedTexts(list), (QStringList{"B", "D", "E"}));
    clickItem(list, 0);
    EXPECT_EQ(selectedTexts(list), QStringList{"A"});
}

TEST_F(Harness, ScreenshotIsAPng)
{
    TestForm form;
    form.resize(240, 160);
    form.show();
    const QString path = tempPath("form.png");
    ASSERT_TRUE(saveScreenshot(form, path));
    QImage image(path, "PNG");
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), static_cast<int>(240 * form.devicePixelRatioF()));
}

TEST_F(Harness, RecordsKeysProgramsAndPendingEvents)
{
    platform().SendKeys(QStringLiteral("{ESC}{ESC}filedia\r0\r"));
    EXPECT_TRUE(platform().StartProgram("/opt/Quorvane/Pelvaro/PELVAR.exe", {programFolder() + "/WMF.csv"}));
    platform().DoEvents();
    EXPECT_EQ(ui().sentKeys(), QStringList{QStringLiteral("{ESC}{ESC}filedia\r0\r")});
    ASSERT_EQ(ui().started().size(), 1u);
    EXPECT_EQ(ui().started()[0].arguments, QStringList{programFolder() + "/WMF.csv"});
    EXPECT_EQ(ui().doEventsCount(), 1);
}

} // namespace
