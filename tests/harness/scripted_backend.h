// A UiBackend that answers from a script written by the test.
//
// Message boxes, input boxes and open-file dialogs are answered from one
// queue of expectations, in order.  Each expectation may check the title,
// the text and (for message boxes) the exact style (buttons + icon); a
// mismatch fails the test and the answer is still given.  A box nobody
// expected fails the test with its text and gets the default answer.
// Expectations left over when the test ends fail it (verify()).
//
// Modal forms are handed to hooks registered by objectName (or to "the next
// form"); the hook runs synchronously while the form is shown, sets fields,
// presses buttons, and the form must be hidden when the hook returns.  A
// modal form without a hook fails the test and is closed.
#pragma once

#include "platform/backend.h"
#include "platform/vb.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace harness {

// One box as it was shown.
struct ShownBox {
    enum class Kind { MessageBox, InputBox, OpenFile };
    Kind kind = Kind::MessageBox;
    QString title;
    QString text;          // the message or prompt, with its own line breaks
    int style = 0;         // message boxes: buttons + icon (+ default)
    QString defaultText;   // input boxes
    platform::FileFilters filters; // open-file dialogs
    QString initialFolder;         // open-file dialogs
    int answer = 0;        // message boxes: the answer given
    std::optional<QString> answerText; // input box / file dialog; nothing = cancel
    bool expected = true;  // false when no expectation was waiting
};

// What a test expects of the next box.  Built with chained calls:
//   ui.expectMsgBox().text("...").style(vbYesNo + vbQuestion).answer(vbYes);
class Expectation {
public:
    explicit Expectation(ShownBox::Kind kind) : m_kind(kind) {}
    Expectation &title(const QString &t) { m_title = t; return *this; }
    Expectation &text(const QString &t) { m_text = t; return *this; }
    Expectation &textContains(const QString &t) { m_textContains = t; return *this; }
    Expectation &style(int s) { m_style = s; return *this; }
    Expectation &defaultText(const QString &t) { m_default = t; return *this; }
    Expectation &initialFolder(const QString &f) { m_folder = f; return *this; }
    Expectation &filters(const platform::FileFilters &f) { m_filters = f; return *this; }
    // Message box answer.
    Expectation &answer(int a) { m_answer = a; return *this; }
    // Input box / file dialog answer.
    Expectation &answer(const QString &t) { m_answerText = t; return *this; }
    Expectation &cancel() { m_answerText.reset(); m_answer = platform::vbCancel; return *this; }
    // Runs when the box is answered (e.g. to check the program's state at
    // that moment).
    Expectation &then(std::function<void()> f) { m_then = std::move(f); return *this; }

private:
    friend class ScriptedBackend;
    ShownBox::Kind m_kind;
    std::optional<QString> m_title, m_text, m_textContains, m_default, m_folder;
    std::optional<int> m_style;
    std::optional<platform::FileFilters> m_filters;
    int m_answer = platform::vbOK;
    std::optional<QString> m_answerText;
    std::function<void()> m_then;
};

class ScriptedBackend : public platform::UiBackend {
public:
    ScriptedBackend() = default;
    ~ScriptedBackend() override = default;

    // ---- boxes
    Expectation &expectMsgBox();
    // Shorthand: exact text, style and answer, title the program's title.
    Expectation &expectMsgBox(const QString &text, int style, int answer,
                              const QString &title = platform::kAppTitle);
    Expectation &expectInputBox();
    Expectation &expectOpenFile();
    // Every box shown so far, in order.
    const std::vector<ShownBox> &shown() const { return m_shown; }
    // Message boxes only.
    std::vector<ShownBox> shownMessageBoxes() const;
    int pendingExpectations() const { return static_cast<int>(m_expectations.size()); }

    // ---- modal forms
    using FormHook = std::function<void(QWidget &form)>;
    // Once, for the next modal form with this objectName.
    void onForm(const QString &objectName, FormHook hook);
    // Every time a form with this objectName is shown modally.
    void onEveryForm(const QString &objectName, FormHook hook);
    // Once, for the next modal form whatever its name.
    void onNextForm(FormHook hook);
    // objectNames of the forms shown modally, in order.
    const QStringList &formsShown() const { return m_formsShown; }

    // ---- other effects, recorded
    int doEventsCount() const { return m_doEvents; }
    void onDoEvents(std::function<void()> f) { m_onDoEvents = std::move(f); }
    const QStringList &sentKeys() const { return m_sentKeys; }
    void onSendKeys(std::function<void(const QString &)> f) { m_onSendKeys = std::move(f); }
    struct Started {
        QString program;
        QStringList arguments;
    };
    const std::vector<Started> &started() const { return m_started; }
    void setStartResult(bool ok) { m_startResult = ok; }

    // Fails the test for every expectation and one-shot form hook not used,
    // then forgets them.  The fixture calls it at the end of each test.
    void verify();

    // ---- UiBackend
    int messageBox(const QString &prompt, int style, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    QString openFileDialog(QWidget *owner, const platform::FileFilters &filters,
                           const QString &initialFolder, const QString &title) override;
    int showModal(QWidget &form) override;
    void doEvents() override;
    void sendKeys(const QString &keys, bool wait) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;

private:
    std::optional<Expectation> take(const ShownBox &box);
    void check(const Expectation &e, const ShownBox &box);

    std::deque<Expectation> m_expectations;
    std::vector<ShownBox> m_shown;
    struct Hook {
        QString name; // empty: any form
        FormHook hook;
        bool persistent = false;
    };
    std::vector<Hook> m_hooks;
    QStringList m_formsShown;
    int m_doEvents = 0;
    std::function<void()> m_onDoEvents;
    QStringList m_sentKeys;
    std::function<void(const QString &)> m_onSendKeys;
    std::vector<Started> m_started;
    bool m_startResult = true;
};

} // namespace harness
