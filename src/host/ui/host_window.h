// The host's own window: title = the host's caption; a menu to open, save,
// save as and close drawings and to switch the active one (also through the
// drawing tabs along the top); the view of the active space with the model
// and layout tabs below it; the command line, which takes every keystroke
// sent to the window.
#pragma once

#include <QMainWindow>

class QAction;
class QMenu;
class QPlainTextEdit;
class QLabel;
class QTabBar;

namespace host {

class Host;
class OpenDrawing;
class DrawingView;

// The command line at the bottom of the window: history above, prompt and
// typed input below.  It keeps the keyboard focus of the window.
class CommandLineWidget : public QWidget {
    Q_OBJECT
public:
    CommandLineWidget(Host &host, QWidget *parent = nullptr);
    void refresh();
    // One key as the window received it.
    bool handleKey(QKeyEvent *event);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    Host &m_host;
    QPlainTextEdit *m_history;
    QLabel *m_prompt;
    qsizetype m_shownLines = 0;
};

class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HostWindow(Host &host);
    ~HostWindow() override;

    DrawingView *view() const { return m_view; }
    CommandLineWidget *commandLine() const { return m_commandLine; }
    QTabBar *drawingTabs() const { return m_drawingTabs; }
    QTabBar *layoutTabs() const { return m_layoutTabs; }

    // Window state as the automation sets it: 1 normal, 2 minimised,
    // 3 maximised.  Sizes and positions include the frame.
    void setWindowStateCode(int state);
    void setOuterWidth(int pixels);
    void setOuterHeight(int pixels);
    void setOuterTop(int pixels);
    void setOuterLeft(int pixels);
    void refresh();

    // The menu commands.  Each reports its own errors to the user.
    void openDrawing();                  // asks for a file
    bool openPath(const QString &path);  // false (and a message) on error
    bool saveDrawing(OpenDrawing *drawing);
    bool saveDrawingAs(OpenDrawing *drawing);
    // Asks about unsaved changes; false when the user cancelled.
    bool closeDrawing(OpenDrawing *drawing);
    // Closes every drawing (asking) and ends the host; false if cancelled.
    bool exitHost();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void rebuildDrawingTabs();
    void rebuildLayoutTabs();
    void updateTitle();
    void activeChanged();

    Host &m_host;
    DrawingView *m_view;
    CommandLineWidget *m_commandLine;
    QTabBar *m_drawingTabs;
    QTabBar *m_layoutTabs;
    QMenu *m_windowMenu;
    bool m_rebuilding = false;
    bool m_closing = false;
};

} // namespace host
