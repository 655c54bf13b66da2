// Private helpers of frmMain.
#pragma once

#include <QGroupBox>

#include <functional>

namespace app {

class Frame : public QGroupBox {
    Q_OBJECT
public:
    Frame(QWidget *parent, const char *name, std::function<void()> onDblClick);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    std::function<void()> m_onDblClick;
};

} // namespace app
