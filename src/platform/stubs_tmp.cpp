// Temporary bodies; replaced piece by piece.
#include "platform.h"

namespace platform {

QByteArray toAnsi(QStringView text) { return text.toLatin1(); }
QString fromAnsi(QByteArrayView bytes) { return QString::fromLatin1(bytes); }
bool isAnsiRepresentable(QStringView) { return true; }

QString GetPrivateProfileString(const QString &, const QString &, const QString &d, const QString &, int) { return d; }
int GetPrivateProfileInt(const QString &, const QString &, int d, const QString &) { return d; }
bool WritePrivateProfileString(const QString &, const QString &, const QString &, const QString &) { return false; }
int parseProfileInt(QStringView) { return 0; }

void RegExp::setPattern(const QString &p) { m_pattern = p; m_dirty = true; }
void RegExp::setIgnoreCase(bool on) { m_ignoreCase = on; m_dirty = true; }
void RegExp::setMultiLine(bool on) { m_multiLine = on; m_dirty = true; }
bool RegExp::Test(const QString &) const { return false; }
MatchCollection RegExp::Execute(const QString &) const { return {}; }
QString RegExp::Replace(const QString &t, const QString &) const { return t; }
QString RegExp::translate(const QString &p, bool) { return p; }

namespace fs {
bool FileExists(const QString &) { return false; }
bool FolderExists(const QString &) { return false; }
bool CreateFolder(const QString &) { return false; }
bool DeleteFolder(const QString &) { return false; }
bool DeleteFile(const QString &) { return false; }
std::optional<QString> ReadAllText(const QString &) { return {}; }
bool WriteText(const QString &, const QString &) { return false; }
bool AppendText(const QString &, const QString &) { return false; }
QString toCrLf(const QString &t) { return t; }
QString GetFileName(const QString &p) { return p; }
QString GetParentFolder(const QString &p) { return p; }
QString join(const QString &a, const QString &b) { return a + QLatin1Char('/') + b; }
QString absoluteTo(const QString &, const QString &p) { return p; }
bool IsReadOnly(const QString &) { return false; }
bool IsFixedDrive(const QString &) { return true; }
} // namespace fs

Desktop::Desktop(ActivationSource s) : m_source(s), m_nextHandle(0x10000) {}
Desktop::~Desktop() = default;
Hwnd Desktop::handleOf(QWidget *) { return 0; }
QWidget *Desktop::widgetOf(Hwnd) const { return nullptr; }
Hwnd Desktop::FindWindow(const QString &) { return 0; }
bool Desktop::SetForegroundWindow(Hwnd) { return false; }
bool Desktop::SetTopMost(Hwnd) { return false; }
bool Desktop::IsTopMost(Hwnd) const { return false; }
bool Desktop::ShowRestored(Hwnd) { return false; }
qint64 Desktop::GetProp(Hwnd, const QString &) const { return 0; }
bool Desktop::SetProp(Hwnd, const QString &, qint64) { return false; }
qint64 Desktop::RemoveProp(Hwnd, const QString &) { return 0; }
QRect Desktop::workArea() const { return {}; }
QRect Desktop::screenGeometry() const { return {}; }
double Desktop::twipsPerPixelX() const { return 15; }
double Desktop::twipsPerPixelY() const { return 15; }
QWidget *Desktop::activeWindow() const { return nullptr; }
void Desktop::activate(QWidget *) {}
int Desktop::addActivationObserver(std::function<void()>) { return 0; }
void Desktop::removeActivationObserver(int) {}
void Desktop::setOwner(QWidget *, const void *) {}
const void *Desktop::ownerOf(const QWidget *) const { return nullptr; }

int QtBackend::messageBox(const QString &, int, const QString &) { return vbOK; }
std::optional<QString> QtBackend::inputBox(const QString &, const QString &, const QString &) { return {}; }
QString QtBackend::openFileDialog(QWidget *, const FileFilters &, const QString &, const QString &) { return {}; }
int QtBackend::showModal(QWidget &) { return 0; }
void QtBackend::doEvents() {}
void QtBackend::sendKeys(const QString &, bool) {}
bool QtBackend::startDetached(const QString &, const QStringList &) { return false; }
QString toDisplayLines(const QString &t) { return t; }
QList<KeyStroke> parseKeys(const QString &) { return {}; }

Platform::Platform(PlatformOptions o) : m_options(std::move(o)) {
    m_desktop = m_options.desktop ? m_options.desktop : std::make_shared<Desktop>();
    m_backend = m_options.backend ? m_options.backend : std::make_shared<QtBackend>();
}
Platform::~Platform() = default;
int Platform::MsgBox(const QString &p, int b, const QString &t) { return m_backend->messageBox(p, b, t); }
void Platform::ErrorBox(const QString &n, long num, const QString &d) { MsgBox(errorBoxText(n, num, d), vbCritical); }
QString Platform::errorBoxText(const QString &n, long num, const QString &d) { return n + QString::number(num) + d; }
QString Platform::InputBox(const QString &p, const QString &t, const QString &d) { return m_backend->inputBox(p, t, d).value_or(QString()); }
QString Platform::GetOpenFileName(QWidget *o, const FileFilters &f, const QString &i) { return m_backend->openFileDialog(o, f, i, QString()); }
int Platform::ShowModal(QWidget &f) { return m_backend->showModal(f); }
void Platform::DoEvents() { m_backend->doEvents(); }
void Platform::SendKeys(const QString &k, bool w) { m_backend->sendKeys(k, w); }
bool Platform::AppActivate(const QString &) { return false; }
bool Platform::StartProgram(const QString &p, const QStringList &a) { return m_backend->startDetached(p, a); }
QString Platform::programPath(const QString &n) const { return m_options.programFolder + QLatin1Char('/') + n; }
QString Platform::GetSetting(const QString &, const QString &, const QString &, const QString &d) const { return d; }
void Platform::SaveSetting(const QString &, const QString &, const QString &, const QString &) {}
void Platform::DeleteSetting(const QString &, const QString &, const QString &) {}
void Platform::setActivationListener(QWidget *, std::function<void(bool)>) {}
void Platform::clearActivationListener() {}
void Platform::claimWindow(QWidget *) {}
bool Platform::ownsWindow(const QWidget *) const { return false; }
bool Platform::isActiveApplication() const { return false; }
void Platform::checkActivation() {}

} // namespace platform
