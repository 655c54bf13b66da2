#include "program_fixture.h"

#include "host/automation.h"
#include "host/open_drawing.h"
#include "host/ui/platform_host_dialogs.h"

#include <QDir>

namespace harness {

void ProgramFixture::SetUp()
{
    PlatformFixture::SetUp();
    // The host asks through the same scripted backend (not owned here).
    std::shared_ptr<platform::UiBackend> backend(std::shared_ptr<void>(), &ui());
    m_registry = std::make_unique<host::HostRegistry>(
        std::make_shared<host::PlatformHostDialogs>(backend), true);
    m_connector = std::make_unique<host::HostConnector>(*m_registry);
}

void ProgramFixture::TearDown()
{
    m_programs.clear();
    m_connector.reset();
    m_registry.reset();
    PlatformFixture::TearDown();
}

QString ProgramFixture::drawingFile(const QString &name, const std::vector<LayerSpec> &layers)
{
    host::HostRegistry maker(nullptr, false);
    auto h = maker.start({}, false);
    acad::DocumentPtr doc = host::applicationFor(h)->ActiveDocument();
    acad::LayersPtr all = doc->Layers();
    for (const LayerSpec &wanted : layers) {
        acad::LayerPtr layer;
        if (wanted.name == QLatin1String("0"))
            layer = all->Item(QStringLiteral("0"));
        else
            layer = all->Add(wanted.name);
        layer->setLayerOn(wanted.on);
        layer->setFreeze(wanted.frozen);
        layer->setLock(wanted.locked);
        layer->setPlottable(wanted.plottable);
        layer->setViewportDefault(wanted.vpDefault);
        layer->setColor(wanted.color);
        layer->setLinetype(wanted.linetype);
        layer->setLineweight(wanted.lineweight);
    }
    const QString path = tempPath(QStringLiteral("drawings/") + name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    h->activeDrawing()->saveAs(path);
    h->quit();
    return path;
}

std::shared_ptr<host::Host> ProgramFixture::startHost(const QStringList &drawings)
{
    return m_registry->start(drawings, true);
}

std::shared_ptr<host::Host> ProgramFixture::startHostWithoutDrawing()
{
    auto h = m_registry->start({}, true);
    while (!h->drawings().empty())
        h->close(h->drawings().front().get());
    return h;
}

app::Program &ProgramFixture::makeProgram()
{
    return makeProgram(*m_connector);
}

app::Program &ProgramFixture::makeProgram(acad::AcadConnector &connector)
{
    m_programs.push_back(std::make_unique<app::Program>(platform(), connector));
    return *m_programs.back();
}

void ProgramFixture::expectTilingQuestion(int answer)
{
    ui().expectMsgBox(tilingQuestion(), platform::vbYesNoCancel + platform::vbQuestion, answer);
}

app::Program &ProgramFixture::startProgram(int tiling)
{
    app::Program &p = makeProgram();
    expectTilingQuestion(tiling);
    p.Main();
    return p;
}

QString ProgramFixture::iniPath() const
{
    return programFolder() + QStringLiteral("/LAMOR.ini");
}

QString ProgramFixture::tilingQuestion()
{
    return QStringLiteral("AutoCADをタイリング表示しますか？\r\n\r\n"
                          "「は　い」：本ソフトをﾃﾞｸｽﾄｯﾌﾟ上部に配置しAutoCADをその下に配置します。\r\n"
                          "「いいえ」：AutoCADを最大表示します。\r\n"
                          "「ｷｬﾝｾﾙ」：通常起動（AutoCADの大きさは変えない）");
}

QString ProgramFixture::notRunningQuestion()
{
    return QStringLiteral("AutoCADが起動されていません。\r起動して宜しいですか？");
}

QString ProgramFixture::noDocumentText()
{
    return QStringLiteral("AutoCADアプリケーション又はアクティブな図面が見つかりません。\r\n終了します。");
}

} // namespace harness
