// FILEDIA, SCRIPT and REGEN, and the registration of every built-in command.
#include "host/commands/command_line.h"

#include "host/host.h"

#include <QFileInfo>

namespace host {

std::unique_ptr<Command> makeLayerCommand(Host &host);
std::unique_ptr<Command> makeVplayerCommand(Host &host);

namespace {

class FilediaCommand : public Command {
public:
    using Command::Command;
    QString prompt() const override
    {
        return QStringLiteral("Enter new value for FILEDIA <%1>:").arg(const_cast<FilediaCommand *>(this)->host().commandLine().filedia());
    }
    void answer(const QString &text) override
    {
        const QString t = text.trimmed();
        if (t.isEmpty()) {
            finish();
            return;
        }
        bool ok = false;
        const int v = t.toInt(&ok);
        if (!ok || v < 0 || v > 1) {
            print(QStringLiteral("Requires an integer between 0 and 1."));
            return; // asks again
        }
        host().commandLine().setFiledia(v);
        finish();
    }
};

class ScriptCommand : public Command {
public:
    using Command::Command;
    void start() override
    {
        if (host().commandLine().filedia() != 0 && !host().scriptRunning()) {
            const QString path = host().dialogs().openFileName(
                nullptr, QStringLiteral("Scripts (*.scr)"));
            finish();
            if (!path.isEmpty())
                run(path);
        }
    }
    QString prompt() const override { return QStringLiteral("Enter script file name:"); }
    bool takesSpaces() const override { return true; }
    void answer(const QString &text) override
    {
        QString path = text.trimmed();
        if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
            path = path.mid(1, path.size() - 2);
        finish();
        if (path.isEmpty())
            return;
        if (!QFileInfo::exists(path) && QFileInfo(path).suffix().isEmpty()
            && QFileInfo::exists(path + QStringLiteral(".scr")))
            path += QStringLiteral(".scr");
        run(path);
    }

private:
    void run(const QString &path)
    {
        if (!QFileInfo(path).isFile()) {
            print(QStringLiteral("Cannot find script file \"%1\".").arg(path));
            host().stopScript();
            return;
        }
        try {
            host().runScript(path);
        } catch (const acad::AcadError &e) {
            print(e.description());
        }
    }
};

class RegenCommand : public Command {
public:
    using Command::Command;
    void start() override
    {
        if (OpenDrawing *d = drawingOrFinish()) {
            d->requestRedraw();
            print(QStringLiteral("Regenerating model."));
            finish();
        }
    }
    QString prompt() const override { return QString(); }
    void answer(const QString &) override { finish(); }
};

template <typename C>
CommandFactory factoryOf()
{
    return [](Host &host) { return std::make_unique<C>(host); };
}

} // namespace

void registerStandardCommands(CommandLine &commandLine)
{
    commandLine.registerCommand({QStringLiteral("FILEDIA")}, factoryOf<FilediaCommand>());
    commandLine.registerCommand({QStringLiteral("SCRIPT"), QStringLiteral("SCR")},
                                factoryOf<ScriptCommand>());
    commandLine.registerCommand({QStringLiteral("REGEN"), QStringLiteral("RE"),
                                 QStringLiteral("REGENALL"), QStringLiteral("REA")},
                                factoryOf<RegenCommand>());
    commandLine.registerCommand({QStringLiteral("-LAYER"), QStringLiteral("-LA")}, makeLayerCommand);
    commandLine.registerCommand({QStringLiteral("VPLAYER")}, makeVplayerCommand);
}

} // namespace host
