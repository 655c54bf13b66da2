#include "host/ui/host_window.h"

#include "host/host.h"
#include "host/ui/drawing_view.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QVBoxLayout>

namespace host {

// ---- command line -----------------------------------------------------------

CommandLineWidget::CommandLineWidget(Host &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    setObjectName(QStringLiteral("CommandLine"));
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    m_history = new QPlainTextEdit(this);
    m_history->setObjectName(QStringLiteral("CommandHistory"));
    m_history->setReadOnly(true);
    m_history->setFocusPolicy(Qt::NoFocus);
    m_history->setMaximumBlockCount(500);
    m_history->setFixedHeight(fontMetrics().lineSpacing() * 4 + 10);
    m_prompt = new QLabel(this);
    m_prompt->setObjectName(QStringLiteral("CommandPrompt"));
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_history);
    layout->addWidget(m_prompt);
    connect(&host.commandLine(), &CommandLine::changed, this, &CommandLineWidget::refresh);
    refresh();
}

void CommandLineWidget::refresh()
{
    const QStringList lines = m_host.commandLine().history();
    // The history keeps its last lines; show what was added since last time.
    const qsizetype total = lines.size();
    if (total < m_shownLines)
        m_shownLines = 0;
    for (qsizetype i = m_shownLines; i < total; ++i)
        m_history->appendPlainText(lines[i]);
    m_shownLines = total;
    m_prompt->setText(m_host.commandLine().prompt() + QLatin1Char(' ') + m_host.commandLine().input()
                      + QChar(0x2581));
}

bool CommandLineWidget::handleKey(QKeyEvent *event)
{
    auto *window = qobject_cast<HostWindow *>(this->window());
    DrawingView *view = window ? window->view() : nullptr;
    const int key = event->key();
    const QString text = event->text();
    const bool isEnter = key == Qt::Key_Return || key == Qt::Key_Enter || text == QLatin1String("\r")
                         || text == QLatin1String("\n");
    const bool isEsc = key == Qt::Key_Escape || text == QString(QChar(0x1b));
    if (view && view->picking()) {
        if (isEnter || key == Qt::Key_Space)
            view->endPick(false);
        else if (isEsc)
            view->endPick(true);
        return true;
    }
    CommandLine &cl = m_host.commandLine();
    if (isEsc) {
        cl.escape();
    } else if (isEnter) {
        cl.enter();
    } else if (key == Qt::Key_Backspace) {
        cl.backspace();
    } else if (!text.isEmpty() && (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        cl.typeText(text);
    } else {
        return false;
    }
    return true;
}

void CommandLineWidget::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

// ---- window ---------------------------------------------------------------

HostWindow::HostWindow(Host &host) : m_host(host)
{
    setObjectName(QStringLiteral("HostWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(1000, 720);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_drawingTabs = new QTabBar(central);
    m_drawingTabs->setObjectName(QStringLiteral("DrawingTabs"));
    m_drawingTabs->setFocusPolicy(Qt::NoFocus);
    m_drawingTabs->setDocumentMode(true);
    m_drawingTabs->setExpanding(false);
    m_view = new DrawingView(host, central);
    m_layoutTabs = new QTabBar(central);
    m_layoutTabs->setObjectName(QStringLiteral("LayoutTabs"));
    m_layoutTabs->setFocusPolicy(Qt::NoFocus);
    m_layoutTabs->setShape(QTabBar::RoundedSouth);
    m_layoutTabs->setExpanding(false);
    m_commandLine = new CommandLineWidget(host, central);
    layout->addWidget(m_drawingTabs);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_layoutTabs);
    layout->addWidget(m_commandLine);
    setCentralWidget(central);
    central->setFocusProxy(m_commandLine);
    setFocusProxy(m_commandLine);

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"), this, [this] { m_host.newDrawing(); });
    file->addAction(QStringLiteral("&Open..."), this, &HostWindow::openDrawing);
    file->addAction(QStringLiteral("&Save"), this, [this] {
        if (auto d = m_host.activeDrawing())
            saveDrawing(d.get());
    });
    file->addAction(QStringLiteral("Save &As..."), this, [this] {
        if (auto d = m_host.activeDrawing())
            saveDrawingAs(d.get());
    });
    file->addAction(QStringLiteral("&Close"), this, [this] {
        if (auto d = m_host.activeDrawing())
            closeDrawing(d.get());
    });
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, [this] { close(); });
    QMenu *viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    viewMenu->addAction(QStringLiteral("Zoom &Extents"), this, [this] { m_view->zoomExtents(); });
    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this] {
        m_windowMenu->clear();
        const auto active = m_host.activeDrawing();
        for (const auto &d : m_host.drawings()) {
            QAction *a = m_windowMenu->addAction(d->isSaved() ? d->fullName() : d->name());
            a->setCheckable(true);
            a->setChecked(d == active);
            OpenDrawing *raw = d.get();
            connect(a, &QAction::triggered, this, [this, raw] { m_host.setActiveDrawing(raw); });
        }
    });

    connect(m_drawingTabs, &QTabBar::currentChanged, this, [this](int index) {
        if (m_rebuilding || index < 0 || index >= static_cast<int>(m_host.drawings().size()))
            return;
        m_host.setActiveDrawing(m_host.drawings()[static_cast<size_t>(index)].get());
    });
    connect(m_layoutTabs, &QTabBar::currentChanged, this, [this](int index) {
        auto d = m_host.activeDrawing();
        if (m_rebuilding || !d || index < 0)
            return;
        d->setActiveLayout(index);
    });

    connect(&m_host, &Host::drawingsChanged, this, [this] {
        m_view->forgetClosed();
        rebuildDrawingTabs();
    });
    connect(&m_host, &Host::activeDrawingChanged, this, &HostWindow::activeChanged);
    connect(&m_host, &Host::drawingRenamed, this, [this](OpenDrawing *) {
        rebuildDrawingTabs();
        updateTitle();
    });
    connect(&m_host, &Host::drawingChanged, this, [this](OpenDrawing *d) {
        if (d == m_view->drawing())
            m_view->update();
    });
    connect(&m_host, &Host::redrawRequested, this, [this](OpenDrawing *d) {
        if (d == m_view->drawing())
            m_view->update();
    });
    connect(&m_host, &Host::spaceChanged, this, [this](OpenDrawing *d) {
        if (d != m_view->drawing())
            return;
        m_rebuilding = true;
        m_layoutTabs->setCurrentIndex(d->activeLayout());
        m_rebuilding = false;
        m_view->showDrawing(d);
    });

    m_host.setInteractivePicker([this](OpenDrawing &d) {
        m_host.setActiveDrawing(&d);
        if (isHidden())
            show();
        raise();
        activateWindow();
        m_host.commandLine().print(QStringLiteral("Select objects: (pick or drag a window, Enter ends, Esc cancels)"));
        return m_view->runPick();
    });

    rebuildDrawingTabs();
    activeChanged();
}

HostWindow::~HostWindow()
{
    m_host.setInteractivePicker(nullptr);
    disconnect(&m_host, nullptr, this, nullptr);
    disconnect(&m_host.commandLine(), nullptr, m_commandLine, nullptr);
}

void HostWindow::updateTitle()
{
    setWindowTitle(m_host.caption());
}

void HostWindow::rebuildDrawingTabs()
{
    m_rebuilding = true;
    while (m_drawingTabs->count() > 0)
        m_drawingTabs->removeTab(0);
    const auto active = m_host.activeDrawing();
    int current = -1;
    for (size_t i = 0; i < m_host.drawings().size(); ++i) {
        const auto &d = m_host.drawings()[i];
        m_drawingTabs->addTab(d->name());
        m_drawingTabs->setTabToolTip(static_cast<int>(i), d->isSaved() ? d->fullName() : d->name());
        if (d == active)
            current = static_cast<int>(i);
    }
    if (current >= 0)
        m_drawingTabs->setCurrentIndex(current);
    m_rebuilding = false;
}

void HostWindow::rebuildLayoutTabs()
{
    m_rebuilding = true;
    while (m_layoutTabs->count() > 0)
        m_layoutTabs->removeTab(0);
    if (auto d = m_host.activeDrawing()) {
        for (const LayoutInfo &l : d->drawing().layouts())
            m_layoutTabs->addTab(l.name);
        m_layoutTabs->setCurrentIndex(d->activeLayout());
    }
    m_rebuilding = false;
}

void HostWindow::activeChanged()
{
    updateTitle();
    rebuildDrawingTabs();
    rebuildLayoutTabs();
    auto d = m_host.activeDrawing();
    m_view->showDrawing(d.get());
}

void HostWindow::setWindowStateCode(int state)
{
    const Qt::WindowStates s = state == 2   ? Qt::WindowMinimized
                               : state == 3 ? Qt::WindowMaximized
                                            : Qt::WindowNoState;
    setWindowState(s);
}

void HostWindow::setOuterWidth(int pixels)
{
    const int frame = frameGeometry().width() - width();
    resize(std::max(1, pixels - frame), height());
}

void HostWindow::setOuterHeight(int pixels)
{
    const int frame = frameGeometry().height() - height();
    resize(width(), std::max(1, pixels - frame));
}

void HostWindow::setOuterTop(int pixels)
{
    move(frameGeometry().x(), pixels);
}

void HostWindow::setOuterLeft(int pixels)
{
    move(pixels, frameGeometry().y());
}

void HostWindow::refresh()
{
    updateTitle();
    m_view->update();
}

void HostWindow::openDrawing()
{
    const QString path = m_host.dialogs().openFileName(this, QStringLiteral("Drawings (*.dxf)"));
    if (!path.isEmpty())
        openPath(path);
}

bool HostWindow::openPath(const QString &path)
{
    try {
        m_host.open(path);
        return true;
    } catch (const acad::AcadError &e) {
        m_host.dialogs().showError(this, QStringLiteral("Cannot open the drawing.\n%1").arg(e.description()));
        return false;
    }
}

bool HostWindow::saveDrawing(OpenDrawing *drawing)
{
    if (!drawing->isSaved())
        return saveDrawingAs(drawing);
    try {
        drawing->save();
        return true;
    } catch (const acad::AcadError &e) {
        m_host.dialogs().showError(this, QStringLiteral("Cannot save %1.\n%2").arg(drawing->fullName(), e.description()));
        return false;
    }
}

bool HostWindow::saveDrawingAs(OpenDrawing *drawing)
{
    QString suggested = drawing->isSaved() ? drawing->fullName() : drawing->name();
    if (!drawing->isSaved() && suggested.endsWith(QLatin1String(".dwg"), Qt::CaseInsensitive))
        suggested = suggested.left(suggested.size() - 4) + QStringLiteral(".dxf");
    QString path = m_host.dialogs().saveFileName(this, suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".dxf");
    try {
        drawing->saveAs(path);
        updateTitle();
        return true;
    } catch (const acad::AcadError &e) {
        m_host.dialogs().showError(this, QStringLiteral("Cannot save %1.\n%2").arg(path, e.description()));
        return false;
    }
}

bool HostWindow::closeDrawing(OpenDrawing *drawing)
{
    if (drawing->drawing().isDirty()) {
        switch (m_host.dialogs().askSaveChanges(this, drawing->name())) {
        case HostDialogs::SaveAnswer::Cancel:
            return false;
        case HostDialogs::SaveAnswer::Save:
            if (!saveDrawing(drawing))
                return false;
            break;
        case HostDialogs::SaveAnswer::Discard:
            break;
        }
    }
    m_host.close(drawing);
    return true;
}

bool HostWindow::exitHost()
{
    if (m_view->picking())
        m_view->endPick(true);
    while (!m_host.drawings().empty()) {
        if (!closeDrawing(m_host.drawings().back().get()))
            return false;
    }
    m_host.quit();
    return true;
}

void HostWindow::closeEvent(QCloseEvent *event)
{
    if (m_closing || !m_host.isRunning() || exitHost()) {
        m_closing = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void HostWindow::keyPressEvent(QKeyEvent *event)
{
    if (!m_commandLine->handleKey(event))
        QMainWindow::keyPressEvent(event);
}

} // namespace host
