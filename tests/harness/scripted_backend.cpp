#include "scripted_backend.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

#include <gtest/gtest.h>

namespace harness {
namespace {

const char *kindName(ShownBox::Kind k)
{
    switch (k) {
    case ShownBox::Kind::MessageBox: return "message box";
    case ShownBox::Kind::InputBox: return "input box";
    case ShownBox::Kind::OpenFile: return "open-file dialog";
    }
    return "box";
}

std::string describe(const ShownBox &b)
{
    QString s = QStringLiteral("%1 titled \"%2\": \"%3\"").arg(QLatin1String(kindName(b.kind)), b.title, b.text);
    if (b.kind == ShownBox::Kind::MessageBox)
        s += QStringLiteral(" [%1]").arg(platform::styleName(b.style));
    if (b.kind == ShownBox::Kind::InputBox)
        s += QStringLiteral(" default \"%1\"").arg(b.defaultText);
    if (b.kind == ShownBox::Kind::OpenFile)
        s += QStringLiteral(" in \"%1\"").arg(b.initialFolder);
    return s.toStdString();
}

// Makes CR, LF and CR LF visible in failure messages.
std::string visible(const QString &s)
{
    QString v = s;
    v.replace(QLatin1String("\r"), QLatin1String("<CR>")).replace(QLatin1String("\n"), QLatin1String("<LF>"));
    return v.toStdString();
}

} // namespace

Expectation &ScriptedBackend::expectMsgBox()
{
    return m_expectations.emplace_back(ShownBox::Kind::MessageBox);
}

Expectation &ScriptedBackend::expectMsgBox(const QString &text, int style, int answer, const QString &title)
{
    return expectMsgBox().text(text).style(style).answer(answer).title(title);
}

Expectation &ScriptedBackend::expectInputBox()
{
    return m_expectations.emplace_back(ShownBox::Kind::InputBox);
}

Expectation &ScriptedBackend::expectOpenFile()
{
    return m_expectations.emplace_back(ShownBox::Kind::OpenFile);
}

std::vector<ShownBox> ScriptedBackend::shownMessageBoxes() const
{
    std::vector<ShownBox> out;
    for (const ShownBox &b : m_shown)
        if (b.kind == ShownBox::Kind::MessageBox)
            out.push_back(b);
    return out;
}

std::optional<Expectation> ScriptedBackend::take(const ShownBox &box)
{
    if (m_expectations.empty()) {
        ADD_FAILURE() << "Unexpected " << describe(box) << "\n  text: " << visible(box.text);
        return std::nullopt;
    }
    if (m_expectations.front().m_kind != box.kind) {
        ADD_FAILURE() << "Expected " << kindName(m_expectations.front().m_kind) << " but got "
                      << describe(box);
        return std::nullopt;
    }
    Expectation e = std::move(m_expectations.front());
    m_expectations.pop_front();
    return e;
}

void ScriptedBackend::check(const Expectation &e, const ShownBox &box)
{
    if (e.m_title && *e.m_title != box.title)
        ADD_FAILURE() << "Title of " << describe(box) << "\n  expected: " << visible(*e.m_title)
                      << "\n  actual:   " << visible(box.title);
    if (e.m_text && *e.m_text != box.text)
        ADD_FAILURE() << "Text of " << kindName(box.kind) << "\n  expected: " << visible(*e.m_text)
                      << "\n  actual:   " << visible(box.text);
    if (e.m_textContains && !box.text.contains(*e.m_textContains))
        ADD_FAILURE() << "Text of " << kindName(box.kind) << " lacks \"" << visible(*e.m_textContains)
                      << "\"\n  actual: " << visible(box.text);
    if (e.m_style && *e.m_style != box.style)
        ADD_FAILURE() << "Style of " << describe(box) << "\n  expected: "
                      << platform::styleName(*e.m_style).toStdString()
                      << "\n  actual:   " << platform::styleName(box.style).toStdString();
    if (e.m_default && *e.m_default != box.defaultText)
        ADD_FAILURE() << "Default text of " << describe(box) << "\n  expected: " << visible(*e.m_default);
    if (e.m_folder && *e.m_folder != box.initialFolder)
        ADD_FAILURE() << "Initial folder of " << describe(box) << "\n  expected: " << visible(*e.m_folder);
    if (e.m_filters && *e.m_filters != box.filters)
        ADD_FAILURE() << "Filters of " << describe(box) << " differ";
}

int ScriptedBackend::messageBox(const QString &prompt, int style, const QString &title)
{
    ShownBox box;
    box.kind = ShownBox::Kind::MessageBox;
    box.title = title;
    box.text = prompt;
    box.style = style;
    std::optional<Expectation> e = take(box);
    if (e) {
        check(*e, box);
        box.answer = e->m_answer;
        if (!platform::buttonsOf(style).contains(box.answer))
            ADD_FAILURE() << "Answer " << platform::answerName(box.answer).toStdString()
                          << " is no button of " << describe(box);
    } else {
        box.expected = false;
        box.answer = platform::defaultAnswerOf(style);
    }
    m_shown.push_back(box);
    if (e && e->m_then)
        e->m_then();
    return box.answer;
}

std::optional<QString> ScriptedBackend::inputBox(const QString &prompt, const QString &title,
                                                 const QString &defaultText)
{
    ShownBox box;
    box.kind = ShownBox::Kind::InputBox;
    box.title = title;
    box.text = prompt;
    box.defaultText = defaultText;
    std::optional<Expectation> e = take(box);
    if (e) {
        check(*e, box);
        box.answerText = e->m_answerText;
    } else {
        box.expected = false; // cancelled
    }
    m_shown.push_back(box);
    if (e && e->m_then)
        e->m_then();
    return box.answerText;
}

QString ScriptedBackend::openFileDialog(QWidget *, const platform::FileFilters &filters,
                                        const QString &initialFolder, const QString &title)
{
    ShownBox box;
    box.kind = ShownBox::Kind::OpenFile;
    box.title = title;
    box.filters = filters;
    box.initialFolder = initialFolder;
    std::optional<Expectation> e = take(box);
    if (e) {
        check(*e, box);
        box.answerText = e->m_answerText;
    } else {
        box.expected = false;
    }
    m_shown.push_back(box);
    if (e && e->m_then)
        e->m_then();
    return box.answerText.value_or(QString());
}

void ScriptedBackend::onForm(const QString &objectName, FormHook hook)
{
    m_hooks.push_back({objectName, std::move(hook), false});
}

void ScriptedBackend::onEveryForm(const QString &objectName, FormHook hook)
{
    m_hooks.push_back({objectName, std::move(hook), true});
}

void ScriptedBackend::onNextForm(FormHook hook)
{
    m_hooks.push_back({QString(), std::move(hook), false});
}

int ScriptedBackend::showModal(QWidget &form)
{
    const QString name = form.objectName();
    m_formsShown << name;
    auto *dialog = qobject_cast<QDialog *>(&form);
    if (dialog)
        dialog->setResult(0);
    form.setWindowModality(Qt::ApplicationModal);
    form.show();

    // One-shot hooks in the order they were given (named or "next form"),
    // then persistent ones.
    FormHook hook;
    for (auto it = m_hooks.begin(); it != m_hooks.end(); ++it) {
        if (!it->persistent && (it->name.isEmpty() || it->name == name)) {
            hook = std::move(it->hook);
            m_hooks.erase(it);
            break;
        }
    }
    if (!hook) {
        for (const Hook &h : m_hooks)
            if (h.persistent && h.name == name)
                hook = h.hook;
    }
    if (!hook) {
        ADD_FAILURE() << "Unexpected modal form \"" << name.toStdString() << "\" (titled \""
                      << form.windowTitle().toStdString() << "\"); closed";
    } else {
        QPointer<QWidget> guard(&form);
        hook(form);
        if (!guard)
            return dialog ? QDialog::Rejected : 0;
        if (form.isVisible())
            ADD_FAILURE() << "Modal form \"" << name.toStdString() << "\" still open after its hook; closed";
    }
    if (form.isVisible())
        form.hide();
    return dialog ? dialog->result() : 0;
}

void ScriptedBackend::doEvents()
{
    ++m_doEvents;
    if (m_onDoEvents)
        m_onDoEvents();
    QCoreApplication::processEvents();
}

void ScriptedBackend::sendKeys(const QString &keys, bool)
{
    m_sentKeys << keys;
    if (m_onSendKeys)
        m_onSendKeys(keys);
}

bool ScriptedBackend::startDetached(const QString &program, const QStringList &arguments)
{
    m_started.push_back({program, arguments});
    return m_startResult;
}

void ScriptedBackend::verify()
{
    for (const Expectation &e : m_expectations) {
        std::string what = kindName(e.m_kind);
        if (e.m_text)
            what += " \"" + visible(*e.m_text) + "\"";
        else if (e.m_textContains)
            what += " containing \"" + visible(*e.m_textContains) + "\"";
        ADD_FAILURE() << "Expected " << what << " was never shown";
    }
    m_expectations.clear();
    for (const Hook &h : m_hooks)
        if (!h.persistent)
            ADD_FAILURE() << "Modal form " << (h.name.isEmpty() ? std::string("(next form)")
                                                                : "\"" + h.name.toStdString() + "\"")
                          << " was never shown";
    std::erase_if(m_hooks, [](const Hook &h) { return !h.persistent; });
}

} // namespace harness
