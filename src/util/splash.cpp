#include "util/splash.h"
#include "platform/platform.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

namespace util {

FrmSplash::FrmSplash()
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    LblMsg = new QLabel(this);
    LblMsg->setObjectName(QStringLiteral("LblMsg"));
    LblMsg->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(LblMsg);
    setFixedSize(360, 64);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

Splash::Splash(platform::Platform &platform) : m_platform(platform) {}

Splash::~Splash() = default;

void Splash::pu_subShow(const QString &sMsg)
{
    if (!m_form) {
        m_form = std::make_unique<FrmSplash>();
        m_form->LblMsg->setText(sMsg);
        m_form->setWindowTitle(platform::kAppTitle);
        m_platform.claimWindow(m_form.get());
        // Above every window that is not top-most, position and size kept.
        m_platform.SetTopMost(m_platform.hwnd(m_form.get()));
    }
    m_form->LblMsg->setText(sMsg);
    m_form->setWindowTitle(platform::kAppTitle);
    m_platform.DoEvents();
    if (m_form) // pending events may have unloaded it
        m_form->show();
}

void Splash::Unload()
{
    if (!m_form)
        return;
    m_form->hide();
    m_form.reset();
}

} // namespace util
