// Temporary bodies; replaced piece by piece.
#include "fixture.h"

#include <QApplication>

namespace harness {
Expectation &ScriptedBackend::expectMsgBox() { return m_expectations.emplace_back(ShownBox::Kind::MessageBox); }
Expectation &ScriptedBackend::expectMsgBox(const QString &t, int s, int a, const QString &ti) { return expectMsgBox().text(t).style(s).answer(a).title(ti); }
Expectation &ScriptedBackend::expectInputBox() { return m_expectations.emplace_back(ShownBox::Kind::InputBox); }
Expectation &ScriptedBackend::expectOpenFile() { return m_expectations.emplace_back(ShownBox::Kind::OpenFile); }
std::vector<ShownBox> ScriptedBackend::shownMessageBoxes() const { return {}; }
void ScriptedBackend::onForm(const QString &, FormHook) {}
void ScriptedBackend::onEveryForm(const QString &, FormHook) {}
void ScriptedBackend::onNextForm(FormHook) {}
void ScriptedBackend::verify() {}
int ScriptedBackend::messageBox(const QString &, int, const QString &) { return platform::vbOK; }
std::optional<QString> ScriptedBackend::inputBox(const QString &, const QString &, const QString &) { return {}; }
QString ScriptedBackend::openFileDialog(QWidget *, const platform::FileFilters &, const QString &, const QString &) { return {}; }
int ScriptedBackend::showModal(QWidget &) { return 0; }
void ScriptedBackend::doEvents() { ++m_doEvents; }
void ScriptedBackend::sendKeys(const QString &k, bool) { m_sentKeys << k; }
bool ScriptedBackend::startDetached(const QString &p, const QStringList &a) { m_started.push_back({p, a}); return m_startResult; }

QString arrayName(const QString &n, int i) { return QStringLiteral("%1(%2)").arg(n).arg(i); }
QWidget *find(QWidget &root, const QString &n) { return root.objectName() == n ? &root : root.findChild<QWidget *>(n); }
QWidget *topLevel(const QString &) { return nullptr; }
void click(QAbstractButton &b) { b.click(); }
void click(QWidget &root, const QString &n) { if (auto *b = findAs<QAbstractButton>(root, n)) click(*b); }
void type(QWidget &, const QString &, bool) {}
void type(QWidget &, const QString &, const QString &, bool) {}
void pressKey(QWidget &, int, Qt::KeyboardModifiers) {}
void clickItem(QAbstractItemView &, int, Qt::KeyboardModifiers) {}
void clickItem(QAbstractItemView &, const QString &, Qt::KeyboardModifiers) {}
void doubleClickItem(QAbstractItemView &, int) {}
QStringList itemTexts(const QAbstractItemView &) { return {}; }
QStringList selectedTexts(const QAbstractItemView &) { return {}; }
void choose(QComboBox &, const QString &) {}
QStringList itemTexts(const QComboBox &) { return {}; }
bool saveScreenshot(QWidget &, const QString &) { return false; }

void PlatformFixture::SetUp() {
    m_temp = std::make_unique<QTemporaryDir>();
    m_programFolder = m_temp->path() + QStringLiteral("/program");
    m_desktop = std::make_shared<platform::Desktop>(platform::Desktop::ActivationSource::Simulated);
    m_ui = std::make_shared<ScriptedBackend>();
    platform::PlatformOptions o;
    o.programFolder = m_programFolder;
    o.desktop = m_desktop;
    o.backend = m_ui;
    m_platform = std::make_unique<platform::Platform>(o);
}
void PlatformFixture::TearDown() { m_ui->verify(); }
QString PlatformFixture::tempPath(const QString &n) const { return m_temp->path() + QLatin1Char('/') + n; }
PlatformFixture::Instance PlatformFixture::makeInstance(const QString &) { return {}; }
QString PlatformFixture::samplesDir() const { return QStringLiteral(LAMORIA_SHARED_DIR "/samples"); }
bool PlatformFixture::copySample(const QString &, const QString &) { return false; }
bool writeBytes(const QString &, const QByteArray &) { return false; }
QByteArray readBytes(const QString &) { return {}; }
} // namespace harness
