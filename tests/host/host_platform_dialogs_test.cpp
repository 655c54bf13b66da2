// The host window's questions go through the platform's backend.
#include "host/host.h"
#include "host/ui/platform_host_dialogs.h"

#include "harness/scripted_backend.h"

#include <QFileDialog>

#include <gtest/gtest.h>

namespace {

using host::HostDialogs;

TEST(HostPlatformDialogs, AnswersComeFromTheBackend)
{
    auto ui = std::make_shared<harness::ScriptedBackend>();
    host::PlatformHostDialogs dialogs(ui);
    const int question = platform::vbYesNoCancel + platform::vbQuestion;
    const std::vector<std::pair<int, HostDialogs::SaveAnswer>> answers = {
        {platform::vbYes, HostDialogs::SaveAnswer::Save},
        {platform::vbNo, HostDialogs::SaveAnswer::Discard},
        {platform::vbCancel, HostDialogs::SaveAnswer::Cancel}};
    for (const auto &[button, expected] : answers) {
        ui->expectMsgBox(QStringLiteral("Save changes to a.dxf?"), question, button, host::Host::hostName());
        EXPECT_EQ(dialogs.askSaveChanges(nullptr, QStringLiteral("a.dxf")), expected);
    }
    ui->expectMsgBox(QStringLiteral("bad.dxf: line 3: not a DXF"), platform::vbCritical, platform::vbOK,
                     host::Host::hostName());
    dialogs.showError(nullptr, QStringLiteral("bad.dxf: line 3: not a DXF"));

    ui->expectOpenFile().answer(QStringLiteral("/tmp/a.dxf"));
    EXPECT_EQ(dialogs.openFileName(nullptr, QStringLiteral("Drawings (*.dxf)")), "/tmp/a.dxf");

    // Save As is a form shown through the backend.
    ui->onForm(QStringLiteral("HostSaveAsDialog"), [](QWidget &form) {
        auto &dialog = static_cast<QFileDialog &>(form);
        dialog.selectFile(QStringLiteral("/tmp/saved.dxf"));
        static_cast<QDialog &>(dialog).accept();
    });
    EXPECT_EQ(dialogs.saveFileName(nullptr, QStringLiteral("Drawing1.dxf")), "/tmp/saved.dxf");
    ui->onForm(QStringLiteral("HostSaveAsDialog"), [](QWidget &form) { static_cast<QDialog &>(form).reject(); });
    EXPECT_EQ(dialogs.saveFileName(nullptr, QStringLiteral("Drawing1.dxf")), "");
    ui->verify();
}

} // namespace
