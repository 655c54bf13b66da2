// What the host's tests share: dialogs answered from a script, and a fixture
// with a registry, a temporary folder and the test drawing written into it.
#pragma once

#include "host_test_drawing.h"

#include "acad/acad.h"
#include "host/host.h"
#include "host/host_dialogs.h"
#include "host/host_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace hosttest {

class ScriptedHostDialogs : public host::HostDialogs {
public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<SaveAnswer> saveChangesAnswers;
    QStringList errors;        // every error shown
    QStringList questionsFor;  // drawing names asked about

    QString openFileName(QWidget *, const QString &) override
    {
        if (openAnswers.empty()) {
            ADD_FAILURE() << "unexpected open-file dialog";
            return QString();
        }
        QString a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
    QString saveFileName(QWidget *, const QString &) override
    {
        if (saveAnswers.empty()) {
            ADD_FAILURE() << "unexpected save-as dialog";
            return QString();
        }
        QString a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    SaveAnswer askSaveChanges(QWidget *, const QString &name) override
    {
        questionsFor << name;
        if (saveChangesAnswers.empty()) {
            ADD_FAILURE() << "unexpected question about saving " << name.toStdString();
            return SaveAnswer::Cancel;
        }
        SaveAnswer a = saveChangesAnswers.front();
        saveChangesAnswers.pop_front();
        return a;
    }
    void showError(QWidget *, const QString &text) override { errors << text; }
};

// Runs f and returns the AcadError number it threw (0 when none).
template <typename F>
long errorOf(F &&f)
{
    try {
        f();
    } catch (const acad::AcadError &e) {
        return e.number();
    }
    return 0;
}

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        dialogs = std::make_shared<ScriptedHostDialogs>();
        registry = std::make_unique<host::HostRegistry>(dialogs, withWindows());
        drawingPath = writeFile(QStringLiteral("test.dxf"), testDrawing());
    }
    void TearDown() override
    {
        registry.reset();
        EXPECT_TRUE(dialogs->openAnswers.empty());
        EXPECT_TRUE(dialogs->saveAnswers.empty());
        EXPECT_TRUE(dialogs->saveChangesAnswers.empty());
    }
    virtual bool withWindows() const { return false; }

    QString path(const QString &name) const { return m_temp.filePath(name); }
    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    // A running host on the test drawing, and its application object.
    std::shared_ptr<host::Host> startOnTestDrawing()
    {
        auto h = registry->start({drawingPath});
        EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(QLatin1Char('\n')).toStdString();
        return h;
    }

    std::shared_ptr<ScriptedHostDialogs> dialogs;
    std::unique_ptr<host::HostRegistry> registry;
    QString drawingPath;

private:
    QTemporaryDir m_temp;
};

} // namespace hosttest
