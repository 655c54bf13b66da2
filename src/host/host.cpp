#include "host/host.h"

#include "host/ui/host_window.h"

#include "platform/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTimer>

namespace host {

namespace {

// Script files are written in the system code page of the CAD machine
// (Shift-JIS for the Japanese one) or, by newer editors, in UTF-8.
QString decodeScript(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.mid(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    return platform::fromAnsi(data);
}

} // namespace

Host::Host(std::shared_ptr<HostDialogs> dialogs)
    : m_dialogs(std::move(dialogs)), m_commandLine(std::make_unique<CommandLine>(*this))
{
    registerStandardCommands(*m_commandLine);
    connect(m_commandLine.get(), &CommandLine::changed, this, &Host::busyChanged);
}

Host::~Host()
{
    m_picker = nullptr;
    delete m_window;
    m_window = nullptr;
    m_drawings.clear();
    m_active.reset();
}

std::shared_ptr<OpenDrawing> Host::activeDrawing() const
{
    return m_active;
}

std::shared_ptr<OpenDrawing> Host::find(const OpenDrawing *drawing) const
{
    for (const auto &d : m_drawings)
        if (d.get() == drawing)
            return d;
    return nullptr;
}

void Host::setActiveDrawing(const OpenDrawing *drawing)
{
    auto d = find(drawing);
    if (!d || d == m_active)
        return;
    m_active = d;
    emit activeDrawingChanged();
}

std::shared_ptr<OpenDrawing> Host::open(const QString &path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    for (const auto &d : m_drawings) {
        if (d->fullName() == full) {
            setActiveDrawing(d.get());
            return d;
        }
    }
    auto drawing = Drawing::load(full); // throws, nothing changed yet
    auto d = std::make_shared<OpenDrawing>(std::move(drawing), full, QString(), this);
    m_drawings.push_back(d);
    m_active = d;
    emit drawingsChanged();
    emit activeDrawingChanged();
    return d;
}

std::shared_ptr<OpenDrawing> Host::newDrawing()
{
    // The next free "DrawingN.dwg" of this host.
    QString name;
    for (;;) {
        name = QStringLiteral("Drawing%1.dwg").arg(++m_newCount);
        bool used = false;
        for (const auto &d : m_drawings)
            if (d->name().compare(name, Qt::CaseInsensitive) == 0)
                used = true;
        if (!used)
            break;
    }
    auto d = std::make_shared<OpenDrawing>(Drawing::createNew(), QString(), name, this);
    m_drawings.push_back(d);
    m_active = d;
    emit drawingsChanged();
    emit activeDrawingChanged();
    return d;
}

void Host::close(const OpenDrawing *drawing)
{
    for (auto it = m_drawings.begin(); it != m_drawings.end(); ++it) {
        if (it->get() != drawing)
            continue;
        const bool wasActive = *it == m_active;
        const size_t index = static_cast<size_t>(it - m_drawings.begin());
        auto keep = *it; // dies at the end of this call
        m_drawings.erase(it);
        if (wasActive) {
            if (m_drawings.empty())
                m_active.reset();
            else
                m_active = m_drawings[std::min(index, m_drawings.size() - 1)];
        }
        emit drawingsChanged();
        if (wasActive)
            emit activeDrawingChanged();
        return;
    }
}

QString Host::caption() const
{
    if (!m_active)
        return hostName();
    return hostName() + QStringLiteral(" - [") + m_active->name() + QLatin1Char(']');
}

bool Host::isQuiescent() const
{
    return m_busyCount == 0 && !scriptRunning() && !m_commandLine->commandActive();
}

void Host::runScript(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw acad::AcadError(acad::err::FileError,
                              QStringLiteral("Cannot read script file \"%1\": %2")
                                  .arg(path, file.errorString()));
    const QString text = decodeScript(file.readAll());
    // Lines end at CR LF, a lone CR or LF; each line end is one Enter.
    m_scriptLines.clear();
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            m_scriptLines.push_back(line);
            line.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        m_scriptLines.push_back(line);
    m_scriptActive = true;
    emit busyChanged();
    scheduleStep();
}

void Host::stopScript()
{
    if (!scriptRunning())
        return;
    m_scriptLines.clear();
    m_scriptActive = false;
    emit busyChanged();
}

void Host::scheduleStep()
{
    if (m_stepScheduled)
        return;
    m_stepScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_stepScheduled = false;
        step();
        if (scriptRunning())
            scheduleStep();
    });
}

void Host::step()
{
    if (m_inStep || !scriptRunning())
        return;
    m_inStep = true;
    if (m_scriptLines.empty()) {
        m_scriptActive = false;
        m_inStep = false;
        emit busyChanged();
        return;
    }
    const QString line = m_scriptLines.front();
    m_scriptLines.pop_front();
    m_commandLine->typeText(line);
    if (scriptRunning()) // a command may have stopped the script
        m_commandLine->enter();
    if (m_scriptLines.empty() && m_scriptActive) {
        m_scriptActive = false;
        emit busyChanged();
    }
    m_inStep = false;
}

void Host::queuePick(const QStringList &handles)
{
    PickAnswer a;
    a.handles = handles;
    m_queuedPicks.push_back(a);
}

void Host::queuePickCancel()
{
    PickAnswer a;
    a.cancelled = true;
    m_queuedPicks.push_back(a);
}

PickAnswer Host::pick(OpenDrawing &drawing)
{
    if (!m_queuedPicks.empty()) {
        PickAnswer a = m_queuedPicks.front();
        m_queuedPicks.pop_front();
        return a;
    }
    if (m_picker) {
        BusyScope busy(*this);
        return m_picker(drawing);
    }
    PickAnswer none;
    none.cancelled = true;
    return none;
}

void Host::setInteractivePicker(std::function<PickAnswer(OpenDrawing &)> picker)
{
    m_picker = std::move(picker);
}

void Host::setWindow(HostWindow *window)
{
    m_window = window;
}

void Host::quit()
{
    if (!m_running)
        return;
    m_running = false;
    stopScript();
    m_drawings.clear();
    m_active.reset();
    emit drawingsChanged();
    emit activeDrawingChanged();
    emit quitting();
}

BusyScope::BusyScope(Host &host) : m_host(host)
{
    if (m_host.m_busyCount++ == 0)
        emit m_host.busyChanged();
}

BusyScope::~BusyScope()
{
    if (--m_host.m_busyCount == 0)
        emit m_host.busyChanged();
}

} // namespace host
