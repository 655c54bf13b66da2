// Benchmark of the layer-name classes on a large drawing: the class combos
// filled from 20,000 layer names of one to five classes, the class match for
// the usual choices, and a whole exclusive class command (match, dialog
// confirmed, every layer written, lists reloaded).
//
//   classes_bench [--layers N] [--dir FOLDER]
#include "acad/acad.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "host/automation.h"
#include "host/host.h"
#include "host/host_registry.h"
#include "host/open_drawing.h"
#include "lists/class_commands.h"
#include "lists/classes.h"
#include "lists/frm_match_layer.h"
#include "lists/list_fill.h"
#include "platform/backend.h"
#include "platform/platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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
    // The match dialog is confirmed; any other form closed.
    int showModal(QWidget &form) override
    {
        if (auto *d = qobject_cast<lists::FrmMatchLayer *>(&form))
            d->CmdOK->click();
        form.hide();
        return 0;
    }
    void doEvents() override { QCoreApplication::processEvents(); }
    void sendKeys(const QString &, bool) override {}
    bool startDetached(const QString &, const QStringList &) override { return false; }
};

// Names of one to five classes: most of three ("A-WALL-000123").
QString layerName(int i)
{
    static const char *const disc[] = {"A", "s", "M", "e", "P", "c", "L", "g"};
    static const char *const major[] = {"WALL", "Door", "glaz", "FURN", "anno", "Cols", "GRID", "lite"};
    const QString d = QLatin1String(disc[(i * 7) % 8]);
    const QString m = QLatin1String(major[(i / 8) % 8]);
    const QString n = QStringLiteral("%1").arg((i * 7919) % 100003, 6, 10, QLatin1Char('0'));
    switch (i % 10) {
    case 0:
        return d + n;
    case 1:
        return d + QLatin1Char('-') + n;
    case 2:
        return d + QLatin1Char('-') + m + QLatin1Char('-') + n + QStringLiteral("-NEW");
    case 3:
        return d + QLatin1Char('-') + m + QLatin1Char('-') + n + QStringLiteral("-NEW-X");
    default:
        return d + QLatin1Char('-') + m + QLatin1Char('-') + n;
    }
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

void setClass(QComboBox *c, const QString &text)
{
    const int k = c->findText(text, Qt::MatchFixedString);
    if (k >= 0)
        c->setCurrentIndex(k);
    c->setEditText(text);
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
    const QString path = dir + QStringLiteral("/classes_bench.dxf");

    Timer t;
    t.start();
    {
        host::HostRegistry maker(nullptr, false);
        auto h = maker.start({}, false);
        const acad::DocumentPtr doc = host::applicationFor(h)->ActiveDocument();
        const acad::LayersPtr all = doc->Layers();
        for (int i = 1; i < layers; ++i)
            all->Add(layerName(i));
        h->activeDrawing()->saveAs(path);
        h->quit();
    }
    std::printf("layers: %d\n", layers);
    std::printf("%-48s %9.1f ms\n", "drawing written", t.lap());

    auto backend = std::make_shared<QuietBackend>();
    platform::PlatformOptions options;
    options.programFolder = dir + QStringLiteral("/program");
    options.settingsFolder = dir + QStringLiteral("/settings");
    options.appName = QStringLiteral("classes_bench");
    options.backend = backend;
    platform::Platform platform(options);
    host::HostRegistry hosts;
    host::HostConnector connector(hosts);
    const auto host = hosts.start({path}, true);
    std::printf("%-48s %9.1f ms\n", "drawing loaded in the host", t.lap());

    app::Program program(platform, connector);
    program.Main();
    app::FrmMain &f = program.frmMain();
    f.setHeight(app::FrmMain::kFullHeight);
    std::printf("%-48s %9.1f ms\n", "start-up", t.lap());

    program.pu_subSetCboItems();
    std::printf("%-48s %9.1f ms   classes %d / %d / %d / %d\n", "pu_subSetCboItems", t.lap(),
                f.CboItem[0]->count() - 2, f.CboItem[1]->count() - 2, f.CboItem[2]->count() - 2,
                f.CboItem[3]->count() - 2);

    const QString all = QStringLiteral("   (ALL)   ");
    const QString none = QStringLiteral("  (指定しない)  ");
    struct Choice {
        const char *what;
        QStringList classes;
    };
    const std::vector<Choice> choices{
        {"match A, (ALL), (ALL)", {QStringLiteral("A"), all, all}},
        {"match A, (ALL), 0.*", {QStringLiteral("A"), all, QStringLiteral("0.*")}},
        {"match (ALL), WALL, (ALL)", {all, QStringLiteral("WALL"), all}},
        {"match A.*, (指定しない)", {QStringLiteral("A.*"), none, all}},
        {"match (ALL), (ALL), (ALL)", {all, all, all}},
        {"match [ags].*, (ALL), 0.*", {QStringLiteral("[ags].*"), all, QStringLiteral("0.*")}},
    };
    for (const Choice &c : choices) {
        for (int i = 0; i < 3; ++i)
            setClass(f.CboItem[static_cast<size_t>(i)], c.classes[i]);
        lists::NameArray aMatch;
        lists::NameArray aOther;
        QString items;
        QString regExp;
        t.lap();
        lists::pr_subMatchLayers(program, aMatch, aOther, items, regExp);
        std::printf("%-48s %9.1f ms   matched %6lld  other %6lld\n", c.what, t.lap(),
                    static_cast<long long>(aMatch.size() - 1), static_cast<long long>(aOther.size() - 1));
    }

    for (int i = 0; i < 3; ++i)
        setClass(f.CboItem[static_cast<size_t>(i)], i == 0 ? QStringLiteral("A") : all);
    f.OptExeMode[2]->click();
    t.lap();
    lists::CmdItemExclusiveON_Click(program);
    std::printf("%-48s %9.1f ms   ON %6d  OFF %6d\n", "\"排他\" in \"ロック\" (match, OK, write, reload)",
                t.lap(), f.LstON->count(), f.LstOFF->count());

    std::printf("message boxes shown: %d\n", backend->boxes);
    program.End();
    host->quit();
    return 0;
}
