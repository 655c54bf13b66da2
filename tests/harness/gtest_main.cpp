// The main of every test program: a QApplication on the offscreen platform
// (unless QT_QPA_PLATFORM says otherwise), then all tests.
#include <QApplication>

#include <gtest/gtest.h>

namespace {

// The offscreen platform reports every window request it ignores; keep the
// test output for what matters.
QtMessageHandler g_previous = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support"))
        || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    g_previous = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
