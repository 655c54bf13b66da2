// The base fixture of the GUI tests: a program platform with the scripted
// backend, a temporary program folder and settings store, a simulated
// desktop (activation only changes when the test or the program says so,
// work area scriptable).  Boxes and forms left unanswered fail the test at
// its end.
//
// Extend it by deriving: build your objects in SetUp() after calling
// PlatformFixture::SetUp(), tear them down before PlatformFixture::TearDown().
#pragma once

#include "scripted_backend.h"
#include "printers.h"
#include "widgets.h"

#include "platform/platform.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace harness {

class PlatformFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    platform::Platform &platform() { return *m_platform; }
    ScriptedBackend &ui() { return *m_ui; }
    platform::Desktop &desktop() { return *m_desktop; }
    // The instance's program folder (a fresh temporary folder).
    const QString &programFolder() const { return m_programFolder; }
    // A path inside the temporary area of the test (outside the program
    // folder).
    QString tempPath(const QString &name) const;

    // Another program instance on the same desktop and settings store, with
    // its own scripted backend and the given program folder (default: the
    // first instance's).  Its expectations are verified at the end too.
    struct Instance {
        std::shared_ptr<ScriptedBackend> ui;
        std::unique_ptr<platform::Platform> platform;
    };
    Instance makeInstance(const QString &programFolder = QString());

    // Makes a window the active one (null: a program outside this process)
    // and delivers the activation changes synchronously.
    void activate(QWidget *w) { m_desktop->activate(w); }

    // Copies a file of the shared samples into the program folder; skips
    // the test (GTEST_SKIP in the caller) when the samples are absent:
    //   if (!copySample("a.dxf")) GTEST_SKIP() << "...";
    QString samplesDir() const;
    bool copySample(const QString &name, const QString &as = QString());

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_programFolder;
    std::shared_ptr<platform::Desktop> m_desktop;
    std::shared_ptr<ScriptedBackend> m_ui;
    std::unique_ptr<platform::Platform> m_platform;
    std::vector<std::shared_ptr<ScriptedBackend>> m_otherUis;
};

// Writes bytes to a file (creating folders); for fixtures of files in the
// code page use platform::toAnsi.
bool writeBytes(const QString &path, const QByteArray &bytes);
QByteArray readBytes(const QString &path);

} // namespace harness
