// The program entry.  The program takes no arguments of its own: drawings
// named on the command line are opened by the embedded drawing host, started
// before the main window loads (the last one active), so that the start-up
// attaches to a running host.  Without arguments no host runs and the
// start-up offers to start one.
#include "app/program.h"
#include "host/host.h"
#include "host/host_registry.h"
#include "platform/platform.h"

#include <QApplication>
#include <QFileInfo>

namespace {

bool anyWindowShown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            return true;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);

    platform::Platform platform;
    host::HostRegistry hosts;
    host::HostConnector connector(hosts);

    QStringList drawings;
    for (const QString &arg : qapp.arguments().mid(1))
        drawings.append(QFileInfo(arg).absoluteFilePath());
    if (!drawings.isEmpty())
        hosts.start(drawings, true);

    app::Program program(platform, connector);
    // The process ends with the program, unless the drawing host still
    // shows a window: that one then ends it when it is closed (asking about
    // unsaved drawings as it does).
    QObject::connect(&program, &app::Program::ended, &qapp, [&qapp] {
        if (!anyWindowShown())
            qapp.quit();
    });
    program.Main();
    if (program.hasEnded() && !anyWindowShown())
        return 0;
    return qapp.exec();
}
