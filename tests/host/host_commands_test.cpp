// The host's command line: keystrokes, the layer commands of layer scripts,
// SCRIPT and the busy state while a script runs.
#include "host_test_support.h"

#include "host/automation.h"
#include "host/commands/command_line.h"
#include "host/ui/host_window.h"
#include "host/wildcard.h"
#include "platform/backend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

using namespace hosttest;

namespace {

TEST(HostKeywords, CapitalsAreTheShortestFormAndLongerPrefixesMatch)
{
    const QStringList kw = {QStringLiteral("?"),      QStringLiteral("Make"), QStringLiteral("Set"),
                            QStringLiteral("New"),    QStringLiteral("ON"),   QStringLiteral("OFF"),
                            QStringLiteral("Freeze"), QStringLiteral("Thaw"), QStringLiteral("LOck"),
                            QStringLiteral("Unlock"), QStringLiteral("Ltype"), QStringLiteral("stAte")};
    const std::vector<std::pair<QString, int>> cases = {
        {"f", 6},  {"FREEZE", 6}, {"fre", 6}, {"on", 4},    {"off", 5},   {"o", -1},
        {"lo", 8}, {"lock", 8},   {"l", 10},  {"lt", 10},   {"a", 11},    {"state", 11},
        {"st", -1}, {"?", 0},     {"", -1},   {"frozen", -1}, {" t ", 7},
    };
    for (const auto &[answer, index] : cases)
        EXPECT_EQ(host::matchKeyword(answer, kw), index) << answer.toStdString();
}

TEST(HostWildcards, PatternsOfTheCadApplication)
{
    const std::vector<std::tuple<QString, QString, bool>> cases = {
        {"A-*", "a-wall-new", true},     {"A-*", "B-WALL", false},
        {"*WALL*", "A-WALL-NEW", true},  {"A-???", "A-DOR", true},
        {"A-???", "A-DOOR", false},      {"#*", "1F", true},
        {"#*", "F1", false},             {"@-*", "A-1", true},
        {"A.B", "A-B", true},            {"A.B", "AXB", false},
        {"[AB]-*", "B-X", true},         {"[~AB]-*", "B-X", false},
        {"[A-C]*", "c1", true},          {"~A*", "B", true},
        {"~A*", "AB", false},            {"X,Y*,Z", "yes", true},
        {"X,Y*,Z", "W", false},          {"A`*B", "A*B", true},
        {"A`*B", "AXB", false},          {"*", "", true},
        {"日本*", "日本語", true},
    };
    for (const auto &[pattern, name, expected] : cases)
        EXPECT_EQ(host::WildcardPattern(pattern).matches(name), expected)
            << pattern.toStdString() << " ~ " << name.toStdString();
    EXPECT_TRUE(host::WildcardPattern(QStringLiteral("A-WALL")).isPlainName());
    EXPECT_FALSE(host::WildcardPattern(QStringLiteral("A,B")).isPlainName());
    EXPECT_EQ(host::WildcardPattern(QStringLiteral("A`,B")).plainName(), "A,B");
}

class HostCommands : public HostFixture {
protected:
    bool withWindows() const override { return true; }
    void SetUp() override
    {
        HostFixture::SetUp();
        hostPtr = startOnTestDrawing();
        app = host::HostConnector(*registry).GetObject();
        doc = app->ActiveDocument();
    }
    host::CommandLine &cl() { return hostPtr->commandLine(); }
    bool historyHas(const QString &text)
    {
        for (const QString &line : cl().history())
            if (line.contains(text))
                return true;
        return false;
    }
    // Waits as the program does: polls the state until the host is idle.
    bool waitQuiescent(int maxPolls = 10000)
    {
        for (int i = 0; i < maxPolls; ++i)
            if (app->GetAcadState()->IsQuiescent())
                return true;
        return false;
    }
    QString script(const QString &name, const QStringList &lines)
    {
        return writeFile(name, lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }
    std::shared_ptr<host::Host> hostPtr;
    acad::ApplicationPtr app;
    acad::DocumentPtr doc;
};

TEST_F(HostCommands, LayerScriptSentAsKeystrokesToTheHostWindow)
{
    const QString path = script(QStringLiteral("lamo_script.scr"),
                                {QStringLiteral("-LAYER"), QStringLiteral("OFF"), QStringLiteral("A-DOOR"),
                                 QStringLiteral("F"), QStringLiteral("a-wall-*"), QStringLiteral("T"),
                                 QStringLiteral("FROZEN"), QStringLiteral("LO"), QStringLiteral("EMPTY"),
                                 QStringLiteral("U"), QStringLiteral("LOCKED"), QStringLiteral("N"),
                                 QStringLiteral("NEW ONE,SECOND"), QStringLiteral("S"), QStringLiteral("FROZEN"),
                                 QStringLiteral("F"), QStringLiteral("FROZEN"), QString()});
    host::HostWindow *window = hostPtr->window();
    ASSERT_NE(window, nullptr);
    // What the program sends to the foreground window.
    const QString keys = QStringLiteral("{ESC}{ESC}filedia\r0\rscript\r") + path + QStringLiteral("\r");
    for (const platform::KeyStroke &k : platform::parseKeys(keys)) {
        QWidget *target = window->focusWidget() ? window->focusWidget() : static_cast<QWidget *>(window);
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text);
        QCoreApplication::sendEvent(target, &press);
    }
    EXPECT_EQ(cl().filedia(), 0);
    EXPECT_FALSE(app->GetAcadState()->IsQuiescent()) << "a script is running";
    ASSERT_TRUE(waitQuiescent());

    auto layers = doc->Layers();
    EXPECT_FALSE(layers->Item(QStringLiteral("A-DOOR"))->LayerOn());
    EXPECT_TRUE(layers->Item(QStringLiteral("A-WALL-NEW"))->Freeze());
    EXPECT_FALSE(layers->Item(QStringLiteral("FROZEN"))->Freeze());
    EXPECT_TRUE(layers->Item(QStringLiteral("EMPTY"))->Lock());
    EXPECT_FALSE(layers->Item(QStringLiteral("LOCKED"))->Lock());
    EXPECT_NO_THROW(layers->Item(QStringLiteral("NEW ONE")));
    EXPECT_NO_THROW(layers->Item(QStringLiteral("SECOND")));
    EXPECT_EQ(doc->ActiveLayer()->Name(), "FROZEN");
    // Freezing the current layer is refused with a message, and the script goes on.
    EXPECT_FALSE(layers->Item(QStringLiteral("FROZEN"))->Freeze());
    EXPECT_TRUE(historyHas(QStringLiteral("Cannot freeze layer \"FROZEN\"")));
    EXPECT_FALSE(cl().commandActive());
}

TEST_F(HostCommands, ScriptRunsFromTheEventLoopAndEscStopsIt)
{
    const QString path = script(QStringLiteral("s.scr"), {QStringLiteral("-LAYER"), QStringLiteral("F"),
                                                          QStringLiteral("A-DOOR"), QString()});
    cl().setFiledia(0);
    cl().typeText(QStringLiteral("SCRIPT\r") + path + QStringLiteral("\r"));
    EXPECT_TRUE(hostPtr->scriptRunning());
    EXPECT_FALSE(app->GetAcadState()->IsQuiescent());
    QElapsedTimer t;
    t.start();
    while (hostPtr->scriptRunning() && t.elapsed() < 5000)
        QCoreApplication::processEvents();
    EXPECT_TRUE(app->GetAcadState()->IsQuiescent());
    EXPECT_TRUE(doc->Layers()->Item(QStringLiteral("A-DOOR"))->Freeze());

    // A script that leaves a command waiting keeps the host busy until Esc.
    const QString open = script(QStringLiteral("open.scr"), {QStringLiteral("-LAYER"), QStringLiteral("T")});
    cl().typeText(QStringLiteral("SCRIPT\r") + open + QStringLiteral("\r"));
    EXPECT_FALSE(waitQuiescent(50));
    EXPECT_TRUE(cl().commandActive());
    cl().escape();
    EXPECT_TRUE(app->GetAcadState()->IsQuiescent());
    EXPECT_TRUE(historyHas(QStringLiteral("*Cancel*")));
}

TEST_F(HostCommands, UnknownCommandsAndMissingFilesAreReported)
{
    cl().typeText(QStringLiteral("FOO\r"));
    EXPECT_TRUE(historyHas(QStringLiteral("Unknown command \"FOO\"")));
    cl().setFiledia(0);
    cl().typeText(QStringLiteral("script\r") + path(QStringLiteral("missing.scr")) + QStringLiteral("\r"));
    EXPECT_TRUE(historyHas(QStringLiteral("Cannot find script file")));
    EXPECT_TRUE(app->GetAcadState()->IsQuiescent());
    // A wrong answer asks again; Enter on the empty prompt repeats the command.
    cl().typeText(QStringLiteral("filedia\r7\r"));
    EXPECT_TRUE(historyHas(QStringLiteral("Requires an integer between 0 and 1.")));
    cl().typeText(QStringLiteral("1\r"));
    EXPECT_EQ(cl().filedia(), 1);
    cl().typeText(QStringLiteral("\r0\r"));
    EXPECT_EQ(cl().filedia(), 0);
    // Space ends a command name and keywords, but not a layer name.
    cl().typeText(QStringLiteral("-layer new A SPACE NAME\r\r"));
    EXPECT_NO_THROW(doc->Layers()->Item(QStringLiteral("A SPACE NAME")));
}

TEST_F(HostCommands, VplayerWorksOnTheCurrentViewportOfALayout)
{
    cl().typeText(QStringLiteral("VPLAYER\r"));
    EXPECT_TRUE(historyHas(QStringLiteral("not allowed in Model Tab")));
    EXPECT_FALSE(cl().commandActive());

    auto drawing = hostPtr->activeDrawing();
    drawing->setActiveLayout(1);
    const host::EntityId vp = drawing->drawing().findEntity(QStringLiteral("110"));
    drawing->setActiveViewport(vp);
    ASSERT_TRUE(doc->MSpace());
    cl().typeText(QStringLiteral("VPLAYER\rF\rA-DOOR,FROZEN\rC\r\r"));
    EXPECT_FALSE(cl().commandActive());
    std::vector<host::LayerId> frozen;
    for (const auto &info : drawing->drawing().viewports(1))
        if (info.entity == vp)
            frozen = info.frozenLayers;
    const host::LayerId door = drawing->drawing().findLayer(QStringLiteral("A-DOOR"));
    EXPECT_NE(std::find(frozen.begin(), frozen.end(), door), frozen.end());
    // Frozen in the viewport only: the layer itself stays thawed.
    EXPECT_FALSE(doc->Layers()->Item(QStringLiteral("A-DOOR"))->Freeze());

    cl().typeText(QStringLiteral("VPLAYER\rT\rA-DOOR\r\r\r"));
    for (const auto &info : drawing->drawing().viewports(1))
        if (info.entity == vp)
            frozen = info.frozenLayers;
    EXPECT_EQ(std::find(frozen.begin(), frozen.end(), door), frozen.end());
}

} // namespace
