// Benchmark of the ON and OFF lists on a large drawing: a drawing with many
// layers (half of them hidden) is written, loaded in the drawing host and the
// program started on it; then a mode switch, the moves and an apply are
// timed through the main window's buttons.
//
//   lists_bench [--layers N] [--dir FOLDER]
#include "acad/acad.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "host/automation.h"
#include "host/host.h"
#include "host/host_registry.h"
#include "host/open_drawing.h"
#include "lists/list_fill.h"
#include "platform/backend.h"
#include "platform/platform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

// Answers every box without showing it: Cancel to questions with a Cancel
// button (the tiling question), the default button otherwise.
class QuietBackend : public platform::UiBackend {
public:
    int boxes = 0;
    int messageBox(const QString &prompt, int style, const QString &) override
    {
        ++boxes;
        std::fprintf(stderr, "box: %s\n", qPrintable(prompt.left(80)));
        const int buttons = style & 7;
        if (buttons == platform::vbYesNoCancel || buttons == platform::vbOKCancel)
            return platform::vbCancel;
        if (buttons == platform::vbYesNo)
            return platform::vbYes;
        return platform::vbOK;
    }
    std::optional<QString> inputBox(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString openFileDialog(QWidget *, const platform::FileFilters &, const QString &,
                           const QString &) override
    {
        return QString();
    }
    int showModal(QWidget &form) override
    {
        form.hide();
        return 0;
    }
    void doEvents() override { QCoreApplication::processEvents(); }
    void sendKeys(const QString &, bool) override {}
    bool startDetached(const QString &, const QStringList &) override { return false; }
};

QString layerName(int i)
{
    static const char *const disc[] = {"A", "s", "M", "e", "P", "c", "L", "g"};
    static const char *const major[] = {"WALL", "Door", "glaz", "FURN", "anno", "Cols", "GRID", "lite"};
    return QStringLiteral("%1-%2-%3").arg(QLatin1String(disc[(i * 7) % 8]),
                                          QLatin1String(major[(i / 8) % 8]))
        .arg((i * 7919) % 100003, 6, 10, QLatin1Char('0'));
}

class Timer {
public:
    double lap()
    {
        const double ms = double(m_t.nsecsElapsed()) / 1e6;
        m_t.restart();
        return ms;
    }
    void start() { m_t.start(); }

private:
    QElapsedTimer m_t;
};

void report(const char *what, double ms, const app::FrmMain &f)
{
    std::printf("%-44s %9.1f ms   ON %6d  OFF %6d\n", what, ms, f.LstON->count(), f.LstOFF->count());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);

    int layers = 20000;
    QString dir;
    const QStringList args = qapp.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--layers"))
            layers = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--dir"))
            dir = args[i + 1];
    }
    QTemporaryDir temp;
    if (dir.isEmpty())
        dir = temp.path();
    QDir().mkpath(dir + QStringLiteral("/program"));
    QDir().mkpath(dir + QStringLiteral("/settings"));
    const QString path = dir + QStringLiteral("/lists_bench.dxf");

    Timer t;
    t.start();
    {
        // The drawing, made and saved by a host of its own.
        host::HostRegistry maker(nullptr, false);
        auto h = maker.start({}, false);
        const acad::DocumentPtr doc = host::applicationFor(h)->ActiveDocument();
        const acad::LayersPtr all = doc->Layers();
        for (int i = 1; i < layers; ++i)
            all->Add(layerName(i))->setLayerOn(i % 2 == 0);
        h->activeDrawing()->saveAs(path);
        h->quit();
    }
    std::printf("layers: %d\n", layers);
    std::printf("%-44s %9.1f ms\n", "drawing written", t.lap());

    auto backend = std::make_shared<QuietBackend>();
    platform::PlatformOptions options;
    options.programFolder = dir + QStringLiteral("/program");
    options.settingsFolder = dir + QStringLiteral("/settings");
    options.appName = QStringLiteral("lists_bench");
    options.backend = backend;
    platform::Platform platform(options);
    host::HostRegistry hosts;
    host::HostConnector connector(hosts);
    const auto host = hosts.start({path}, true);
    std::printf("%-44s %9.1f ms\n", "drawing loaded in the host", t.lap());

    app::Program program(platform, connector);
    program.Main();
    app::FrmMain &f = program.frmMain();
    f.setHeight(app::FrmMain::kFullHeight);
    report("start-up (snapshot, lists, combos)", t.lap(), f);

    f.OptExeMode[2]->click();
    report("mode switch to \"ロック\"", t.lap(), f);
    f.OptExeMode[0]->click();
    report("mode switch to \"表示\"", t.lap(), f);

    f.CmdMoveON_ALL->click();
    report("\"<<\"", t.lap(), f);
    f.CmdReverse->click();
    report("\"⇔\"", t.lap(), f);
    f.CmdReverse->click();
    report("\"⇔\" again", t.lap(), f);

    f.LstON->selectAll();
    t.lap();
    f.CmdMoveOFF->click();
    report("select all, \">\"", t.lap(), f);
    for (int i = 0; i < f.LstOFF->count(); i += 2)
        f.LstOFF->item(i)->setSelected(true);
    t.lap();
    f.CmdMoveON->click();
    report("every other selected, \"<\"", t.lap(), f);
    f.LstOFF->item(f.LstOFF->count() / 2)->setSelected(true);
    t.lap();
    f.CmdMoveON->click();
    report("one selected, \"<\"", t.lap(), f);

    lists::NameArray aOn;
    lists::NameArray aOff;
    lists::pr_subGetListArrays(program, aOn, aOff);
    t.lap();
    lists::pr_subMoveToOFF(program, aOn);
    report("pr_subMoveToOFF with the whole ON list", t.lap(), f);
    lists::pr_subMoveToON(program, aOn);
    report("pr_subMoveToON back", t.lap(), f);

    f.CmdReverse->click(); // the apply writes something new
    t.lap();
    f.CmdListDWG->click();
    report("\"図面に反映\" (write, Regen, snapshot)", t.lap(), f);
    f.CmdListImport->click();
    report("\"現在の状態を読込む\"", t.lap(), f);

    std::printf("message boxes shown: %d\n", backend->boxes);
    program.End();
    host->quit();
    return 0;
}
