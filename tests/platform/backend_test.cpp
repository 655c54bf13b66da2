// The real (Qt) backend: what the user actually sees and presses.
#include "harness/fixture.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Runs `act` on the modal box once it is up.
void whenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *w = QApplication::activeModalWidget();
        act(w);
    });
}

TEST(QtBackendBoxes, MessageBoxShowsTheStyleAndGivesThePressedAnswer)
{
    QtBackend backend;
    QStringList texts;
    QString shownText, shownTitle;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        shownTitle = box->windowTitle();
        icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            texts << b->text();
        for (QAbstractButton *b : box->buttons())
            if (b->text().startsWith(QStringLiteral("\u3044\u3044\u3048")))
                b->click();
    });
    const int answer = backend.messageBox(QStringLiteral("a\r\nb\rc"), vbYesNoCancel + vbQuestion, kAppTitle);
    EXPECT_EQ(answer, vbNo);
    EXPECT_EQ(shownText, QStringLiteral("a\nb\nc"));
    EXPECT_EQ(shownTitle, kAppTitle);
    EXPECT_EQ(icon, QMessageBox::Question);
    texts.sort();
    QStringList expected{QStringLiteral("\u306f\u3044(&Y)"), QStringLiteral("\u3044\u3044\u3048(&N)"),
                         QStringLiteral("\u30ad\u30e3\u30f3\u30bb\u30eb")};
    expected.sort();
    EXPECT_EQ(texts, expected);
}

TEST(QtBackendBoxes, EscapeOnOkCancelIsCancel)
{
    QtBackend backend;
    whenModal([](QWidget *w) { harness::pressKey(*w, Qt::Key_Escape); });
    EXPECT_EQ(backend.messageBox(QStringLiteral("?"), vbOKCancel + vbExclamation, kAppTitle), vbCancel);
}

TEST(QtBackendBoxes, InputBoxGivesTheTextOrNothingOnCancel)
{
    QtBackend backend;
    whenModal([](QWidget *w) {
        auto *dialog = qobject_cast<QInputDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), QStringLiteral("A-WALL"));
        dialog->setTextValue(QStringLiteral("A-DOOR"));
        dialog->accept();
    });
    EXPECT_EQ(backend.inputBox(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("A-WALL")),
              QStringLiteral("A-DOOR"));
    whenModal([](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); });
    EXPECT_FALSE(backend.inputBox(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("x")).has_value());
}

TEST(QtBackendForms, PlainWidgetFormReturnsWhenHidden)
{
    QtBackend backend;
    QWidget form;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
        form.hide();
    });
    EXPECT_EQ(backend.showModal(form), 0);
    EXPECT_FALSE(form.isVisible());
}

TEST(KeyStrings, ParsedAsTheScriptRunnerSendsThem)
{
    const QList<KeyStroke> keys = parseKeys(QStringLiteral("{ESC}{ESC}filedia\r0\r"));
    ASSERT_EQ(keys.size(), 12);
    EXPECT_EQ(keys[0].key, Qt::Key_Escape);
    EXPECT_EQ(keys[1].key, Qt::Key_Escape);
    EXPECT_EQ(keys[2].text, QStringLiteral("f"));
    EXPECT_EQ(keys[8].text, QStringLiteral("a"));
    EXPECT_EQ(keys[9].key, Qt::Key_Return);
    EXPECT_EQ(keys[10].text, QStringLiteral("0"));
    EXPECT_EQ(keys[11].key, Qt::Key_Return);

    const QList<KeyStroke> more = parseKeys(QStringLiteral("+a^(bc){ENTER 2}{{}~{F4}x"));
    ASSERT_EQ(more.size(), 9);
    EXPECT_EQ(more[0].modifiers, Qt::ShiftModifier);
    EXPECT_EQ(more[1].modifiers, Qt::ControlModifier);
    EXPECT_EQ(more[2].modifiers, Qt::ControlModifier);
    EXPECT_EQ(more[3].key, Qt::Key_Return);
    EXPECT_EQ(more[4].key, Qt::Key_Return);
    EXPECT_EQ(more[5].text, QStringLiteral("{"));
    EXPECT_EQ(more[6].key, Qt::Key_Return);
    EXPECT_EQ(more[7].key, Qt::Key_F4);
    EXPECT_EQ(more[8].modifiers, Qt::NoModifier);
}

TEST(KeyStrings, SentToTheFocusedWidget)
{
    QtBackend backend;
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    for (int i = 0; i < 10 && QApplication::focusWidget() != &edit; ++i)
        QCoreApplication::processEvents();
    if (QApplication::focusWidget() != &edit)
        GTEST_SKIP() << "this window system gives no focus on request";
    int returns = 0;
    QObject::connect(&edit, &QLineEdit::returnPressed, [&] { ++returns; });
    backend.sendKeys(QStringLiteral("script\r/tmp/a b.scr\r"), true);
    EXPECT_EQ(edit.text(), QStringLiteral("script/tmp/a b.scr"));
    EXPECT_EQ(returns, 2);
}

} // namespace
