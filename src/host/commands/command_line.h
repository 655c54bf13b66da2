// The host's command line: the prompt the user (or a script, or keystrokes
// sent to the host window) answers, the command history, and the commands.
//
// Input arrives as typed characters.  Enter (CR or LF) ends an answer; a
// space ends it too, except at prompts that take names with spaces (name
// lists, file names).  Esc cancels the running command and a running
// script.  Enter on an empty command prompt repeats the last command, as in
// the CAD application.
//
// A command is a small state machine: it shows a prompt, takes one answer
// at a time and says when it is done.  New commands register a factory
// under their name (and aliases).
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

namespace host {

class Host;
class OpenDrawing;

class Command {
public:
    explicit Command(Host &host) : m_host(host) {}
    virtual ~Command() = default;

    // Called once after the command was created; it may already finish.
    virtual void start() {}
    virtual QString prompt() const = 0;
    // True when a space is part of the answer instead of ending it.
    virtual bool takesSpaces() const { return false; }
    // One answer, ended by Enter (or a space where that ends answers).
    virtual void answer(const QString &text) = 0;

    bool done() const { return m_done; }

protected:
    void finish() { m_done = true; }
    void print(const QString &line);
    Host &host() { return m_host; }
    // The active drawing; when there is none, prints why and finishes.
    OpenDrawing *drawingOrFinish();

private:
    Host &m_host;
    bool m_done = false;
};

using CommandFactory = std::function<std::unique_ptr<Command>(Host &)>;

// Matches an answer against keywords written as the CAD application shows
// them ("Freeze", "LOck", "OFF"): the capital letters are the shortest form,
// longer prefixes of the keyword also match, letter case ignored.  Returns
// the index of the keyword or -1.
int matchKeyword(const QString &answer, const QStringList &keywords);

class CommandLine : public QObject {
    Q_OBJECT
public:
    explicit CommandLine(Host &host);
    ~CommandLine() override;

    void registerCommand(const QStringList &names, CommandFactory factory);

    // Typed characters: CR/LF end an answer, ESC (0x1b) cancels, backspace
    // (0x08) removes the last character.
    void typeText(const QString &text);
    void enter();
    void escape();
    void backspace();
    // One whole answer as if typed and ended with Enter.
    void submit(const QString &answer);

    QString prompt() const;
    QString input() const { return m_input; }
    QStringList history() const { return m_history; }
    bool commandActive() const { return static_cast<bool>(m_command); }
    bool takesSpaces() const;

    // Adds a line to the history ("Unknown command", messages of commands).
    void print(const QString &line);

    // FILEDIA: 1 lets file commands ask with a dialog, 0 on the command line.
    int filedia() const { return m_filedia; }
    void setFiledia(int value) { m_filedia = value; }

signals:
    void changed();

private:
    void run(const QString &name);
    void finishIfDone();

    Host &m_host;
    std::map<QString, CommandFactory> m_factories; // upper-case names
    std::unique_ptr<Command> m_command;
    QString m_lastCommand;
    QString m_input;
    QStringList m_history;
    bool m_afterCR = false;
    int m_filedia = 1;
};

// Registers the built-in commands (ESC is a key, not a command): FILEDIA,
// SCRIPT, REGEN, -LAYER, VPLAYER.
void registerStandardCommands(CommandLine &commandLine);

} // namespace host
