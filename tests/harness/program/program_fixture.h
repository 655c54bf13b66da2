// A program instance on an in-memory drawing host: the base fixture of the
// program's own tests.
//
//   class MyTest : public harness::ProgramFixture {};
//   TEST_F(MyTest, X) {
//       startHost({drawingFile("a.dxf", {{"0"}, {"WALL", false}})});
//       app::Program &p = startProgram();         // tiling question: Cancel
//       EXPECT_EQ(itemTexts(*p.frmMain().LstON), ...);
//   }
//
// Hosts run in this fixture's registry (several may run; the program
// attaches to the last one started).  The host's own questions go to the
// same scripted backend as the program's.  Programs and hosts are torn down
// before the platform.
#pragma once

#include "harness/fixture.h"

#include "app/frm_main.h"
#include "app/program.h"
#include "host/host.h"
#include "host/host_registry.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace harness {

// One layer of a drawing made for a test.
struct LayerSpec {
    QString name;
    bool on = true;
    bool frozen = false;
    bool locked = false;
    bool plottable = true;
    bool vpDefault = false; // frozen in new viewports
    int color = 7;
    QString linetype = QStringLiteral("Continuous");
    int lineweight = -3;
};

class ProgramFixture : public PlatformFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    host::HostRegistry &hosts() { return *m_registry; }
    acad::AcadConnector &connector() { return *m_connector; }

    // Writes a drawing file with these layers (in this order; layer "0" is
    // added first when the list does not name it) into the test's temporary
    // area; returns its full path.
    QString drawingFile(const QString &name, const std::vector<LayerSpec> &layers);
    // Starts a host on the drawings (the last one active); with none it
    // holds a new "Drawing1.dwg".
    std::shared_ptr<host::Host> startHost(const QStringList &drawings = {});
    // Starts a host and closes all its drawings.
    std::shared_ptr<host::Host> startHostWithoutDrawing();

    // A program instance on this fixture's platform and hosts, not started;
    // or on another connector (a test's stand-in host).
    app::Program &makeProgram();
    app::Program &makeProgram(acad::AcadConnector &connector);
    // Expects the tiling question and answers it.
    void expectTilingQuestion(int answer);
    // makeProgram() and its start-up with the tiling question answered
    // (vbCancel leaves the host window alone).  A host must be running.
    app::Program &startProgram(int tiling = platform::vbCancel);

    app::Program &program() { return *m_programs.back(); }
    app::FrmMain &frmMain() { return m_programs.back()->frmMain(); }

    // The settings file of the program folder.
    QString iniPath() const;

    static QString tilingQuestion();
    static QString notRunningQuestion();
    static QString noDocumentText();

private:
    std::unique_ptr<host::HostRegistry> m_registry;
    std::unique_ptr<host::HostConnector> m_connector;
    std::vector<std::unique_ptr<app::Program>> m_programs;
};

} // namespace harness
