#include "host/commands/command_line.h"

#include "host/host.h"

namespace host {

namespace {

constexpr int kHistoryLines = 1000;

QString capitalsOf(const QString &keyword)
{
    QString caps;
    for (QChar c : keyword)
        if (c.isUpper() || c.isDigit())
            caps += c;
    return caps;
}

} // namespace

void Command::print(const QString &line)
{
    m_host.commandLine().print(line);
}

OpenDrawing *Command::drawingOrFinish()
{
    auto d = m_host.activeDrawing();
    if (!d) {
        print(QStringLiteral("No drawing is open."));
        finish();
        return nullptr;
    }
    return d.get();
}

int matchKeyword(const QString &answer, const QStringList &keywords)
{
    const QString a = answer.trimmed().toUpper();
    if (a.isEmpty())
        return -1;
    for (int i = 0; i < keywords.size(); ++i) {
        const QString &k = keywords[i];
        if (a == capitalsOf(k).toUpper() || a == k.toUpper())
            return i;
    }
    for (int i = 0; i < keywords.size(); ++i) {
        const QString &k = keywords[i];
        int lastCap = -1;
        for (int j = 0; j < k.size(); ++j)
            if (k[j].isUpper() || k[j].isDigit())
                lastCap = j;
        if (a.size() > lastCap && k.toUpper().startsWith(a))
            return i;
    }
    return -1;
}

CommandLine::CommandLine(Host &host) : m_host(host) {}

CommandLine::~CommandLine() = default;

void CommandLine::registerCommand(const QStringList &names, CommandFactory factory)
{
    for (const QString &n : names)
        m_factories[n.toUpper()] = factory;
}

QString CommandLine::prompt() const
{
    if (m_command)
        return m_command->prompt();
    return QStringLiteral("Command:");
}

bool CommandLine::takesSpaces() const
{
    return m_command && m_command->takesSpaces();
}

void CommandLine::print(const QString &line)
{
    m_history << line;
    if (m_history.size() > kHistoryLines)
        m_history.erase(m_history.begin(), m_history.begin() + (m_history.size() - kHistoryLines));
    emit changed();
}

void CommandLine::typeText(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n' && m_afterCR) { // CR LF is one Enter
            m_afterCR = false;
            continue;
        }
        m_afterCR = u == '\r';
        if (u == '\r' || u == '\n') {
            enter();
        } else if (u == 0x1b) {
            escape();
        } else if (u == 0x08) {
            backspace();
        } else if (u == ' ' && !takesSpaces()) {
            enter();
        } else if (c.isPrint() || u == '\t') {
            m_input += c;
            emit changed();
        }
    }
}

void CommandLine::backspace()
{
    if (!m_input.isEmpty()) {
        m_input.chop(1);
        emit changed();
    }
}

void CommandLine::enter()
{
    const QString answer = m_input;
    m_input.clear();
    submit(answer);
}

void CommandLine::submit(const QString &answer)
{
    print(prompt() + QLatin1Char(' ') + answer);
    if (m_command) {
        m_command->answer(answer);
        finishIfDone();
        return;
    }
    QString name = answer.trimmed();
    if (name.isEmpty()) {
        if (m_lastCommand.isEmpty())
            return;
        name = m_lastCommand;
    }
    run(name);
}

void CommandLine::run(const QString &name)
{
    QString key = name.toUpper();
    if (key.startsWith(QLatin1Char('_')))
        key = key.mid(1); // the language-independent form
    auto it = m_factories.find(key);
    if (it == m_factories.end() && key.startsWith(QLatin1Char('.')))
        it = m_factories.find(key.mid(1));
    if (it == m_factories.end()) {
        print(QStringLiteral("Unknown command \"%1\".  Press F1 for help.").arg(name.toUpper()));
        return;
    }
    m_lastCommand = key;
    m_command = it->second(m_host);
    m_command->start();
    finishIfDone();
    emit changed();
}

void CommandLine::finishIfDone()
{
    if (m_command && m_command->done()) {
        m_command.reset();
        emit changed();
    }
}

void CommandLine::escape()
{
    m_input.clear();
    const bool scripting = m_host.scriptRunning();
    if (m_command || scripting) {
        m_command.reset();
        print(QStringLiteral("*Cancel*"));
    }
    if (scripting)
        m_host.stopScript();
    emit changed();
}

} // namespace host
