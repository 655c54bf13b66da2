#include "backend.h"

#include "vb.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QHash>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>

namespace platform {

QString toDisplayLines(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

namespace {

QMessageBox::StandardButton standardButton(int answer)
{
    switch (answer) {
    case vbOK: return QMessageBox::Ok;
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QString buttonText(int answer)
{
    switch (answer) {
    case vbOK: return QStringLiteral("OK");
    case vbCancel: return QStringLiteral("キャンセル");
    case vbAbort: return QStringLiteral("中止(&A)");
    case vbRetry: return QStringLiteral("再試行(&R)");
    case vbIgnore: return QStringLiteral("無視(&I)");
    case vbYes: return QStringLiteral("はい(&Y)");
    case vbNo: return QStringLiteral("いいえ(&N)");
    default: return QString();
    }
}

// Ends a local event loop when the watched form is hidden or closed.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget *form, QEventLoop *loop) : m_loop(loop) { form->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Hide || e->type() == QEvent::Close)
            m_loop->quit();
        return false;
    }

private:
    QEventLoop *m_loop;
};

} // namespace

int QtBackend::messageBox(const QString &prompt, int style, const QString &title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(toDisplayLines(prompt));
    switch (style & vbIconMask) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    QHash<QAbstractButton *, int> answers;
    const int def = defaultAnswerOf(style);
    const int esc = escapeAnswerOf(style);
    for (int answer : buttonsOf(style)) {
        QPushButton *b = box.addButton(standardButton(answer));
        b->setText(buttonText(answer));
        answers.insert(b, answer);
        if (answer == def)
            box.setDefaultButton(b);
        if (answer == esc)
            box.setEscapeButton(b);
    }
    box.exec();
    const int answer = answers.value(box.clickedButton(), 0);
    return answer ? answer : (esc ? esc : def);
}

std::optional<QString> QtBackend::inputBox(const QString &prompt, const QString &title,
                                           const QString &defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(toDisplayLines(prompt));
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtBackend::openFileDialog(QWidget *owner, const FileFilters &filters,
                                  const QString &initialFolder, const QString &title)
{
    QStringList parts;
    for (const auto &[description, pattern] : filters) {
        QString patterns = pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses of a filter.
        if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')')))
            parts << description;
        else
            parts << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return QFileDialog::getOpenFileName(owner, title, initialFolder, parts.join(QStringLiteral(";;")));
}

int QtBackend::showModal(QWidget &form)
{
    if (auto *dialog = qobject_cast<QDialog *>(&form))
        return dialog->exec();
    QPointer<QWidget> guard(&form);
    QEventLoop loop;
    HideWatcher watcher(&form, &loop);
    QObject::connect(&form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form.setWindowModality(Qt::ApplicationModal);
    form.show();
    if (form.isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard)
        guard->removeEventFilter(&watcher);
    return 0;
}

void QtBackend::doEvents()
{
    QCoreApplication::processEvents();
}

void QtBackend::sendKeys(const QString &keys, bool wait)
{
    for (const KeyStroke &k : parseKeys(keys)) {
        QWidget *target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        if (!target)
            return;
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, k.key, k.modifiers, k.text);
        QCoreApplication::sendEvent(target, &release);
    }
    if (wait)
        QCoreApplication::processEvents();
}

bool QtBackend::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

namespace {

int keyOfName(const QString &name)
{
    static const QHash<QString, int> names = {
        {QStringLiteral("ESC"), Qt::Key_Escape},       {QStringLiteral("ESCAPE"), Qt::Key_Escape},
        {QStringLiteral("ENTER"), Qt::Key_Return},     {QStringLiteral("TAB"), Qt::Key_Tab},
        {QStringLiteral("BS"), Qt::Key_Backspace},     {QStringLiteral("BKSP"), Qt::Key_Backspace},
        {QStringLiteral("BACKSPACE"), Qt::Key_Backspace}, {QStringLiteral("DEL"), Qt::Key_Delete},
        {QStringLiteral("DELETE"), Qt::Key_Delete},    {QStringLiteral("INS"), Qt::Key_Insert},
        {QStringLiteral("INSERT"), Qt::Key_Insert},    {QStringLiteral("HOME"), Qt::Key_Home},
        {QStringLiteral("END"), Qt::Key_End},          {QStringLiteral("PGUP"), Qt::Key_PageUp},
        {QStringLiteral("PGDN"), Qt::Key_PageDown},    {QStringLiteral("UP"), Qt::Key_Up},
        {QStringLiteral("DOWN"), Qt::Key_Down},        {QStringLiteral("LEFT"), Qt::Key_Left},
        {QStringLiteral("RIGHT"), Qt::Key_Right},      {QStringLiteral("BREAK"), Qt::Key_Pause},
        {QStringLiteral("CAPSLOCK"), Qt::Key_CapsLock}, {QStringLiteral("NUMLOCK"), Qt::Key_NumLock},
        {QStringLiteral("SCROLLLOCK"), Qt::Key_ScrollLock}, {QStringLiteral("PRTSC"), Qt::Key_Print},
        {QStringLiteral("HELP"), Qt::Key_Help},
    };
    const QString upper = name.toUpper();
    if (upper.size() >= 2 && upper.front() == QLatin1Char('F')) {
        bool ok = false;
        const int n = upper.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 16)
            return Qt::Key_F1 + n - 1;
    }
    return names.value(upper, 0);
}

KeyStroke charStroke(QChar c, Qt::KeyboardModifiers mods)
{
    KeyStroke k;
    k.modifiers = mods;
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
        k.key = Qt::Key_Return;
        k.text = QStringLiteral("\r");
        return k;
    }
    const QChar upper = c.toUpper();
    k.key = upper.unicode() < 128 ? int(upper.unicode()) : int(Qt::Key_unknown);
    k.text = c;
    return k;
}

} // namespace

QList<KeyStroke> parseKeys(const QString &keys)
{
    QList<KeyStroke> out;
    Qt::KeyboardModifiers pending;
    Qt::KeyboardModifiers group;
    bool inGroup = false;
    auto mods = [&] { return pending | group; };
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar c = keys.at(i);
        if (c == QLatin1Char('+')) { pending |= Qt::ShiftModifier; continue; }
        if (c == QLatin1Char('^')) { pending |= Qt::ControlModifier; continue; }
        if (c == QLatin1Char('%')) { pending |= Qt::AltModifier; continue; }
        if (c == QLatin1Char('(') && !inGroup) {
            inGroup = true;
            group = pending;
            pending = {};
            continue;
        }
        if (c == QLatin1Char(')') && inGroup) {
            inGroup = false;
            group = {};
            continue;
        }
        if (c == QLatin1Char('\n') && i > 0 && keys.at(i - 1) == QLatin1Char('\r'))
            continue; // CR LF is one Enter
        if (c == QLatin1Char('~')) {
            KeyStroke k;
            k.key = Qt::Key_Return;
            k.modifiers = mods();
            k.text = QStringLiteral("\r");
            out << k;
        } else if (c == QLatin1Char('{')) {
            // "{}}" and "{{}" name the braces themselves.
            qsizetype close = keys.indexOf(QLatin1Char('}'), i + 2);
            if (close < 0) {
                out << charStroke(c, mods());
            } else {
                QString inner = keys.mid(i + 1, close - i - 1);
                int repeat = 1;
                if (const qsizetype sp = inner.lastIndexOf(QLatin1Char(' ')); sp > 0) {
                    bool ok = false;
                    const int n = inner.mid(sp + 1).toInt(&ok);
                    if (ok && n >= 0) {
                        repeat = n;
                        inner = inner.left(sp);
                    }
                }
                const int key = keyOfName(inner);
                for (int r = 0; r < repeat; ++r) {
                    if (key) {
                        KeyStroke k;
                        k.key = key;
                        k.modifiers = mods();
                        if (key == Qt::Key_Return)
                            k.text = QStringLiteral("\r");
                        else if (key == Qt::Key_Escape)
                            k.text = QString(QChar(0x1B));
                        else if (key == Qt::Key_Tab)
                            k.text = QStringLiteral("\t");
                        out << k;
                    } else {
                        for (QChar ch : inner)
                            out << charStroke(ch, mods());
                    }
                }
                i = close;
            }
        } else {
            out << charStroke(c, mods());
        }
        pending = {};
    }
    return out;
}

} // namespace platform
