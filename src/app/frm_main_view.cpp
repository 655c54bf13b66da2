// frmMain: the Esc key and the full view of the "EscALLView" option.
#include "app/frm_main.h"
#include "app/program.h"

#include <QKeyEvent>

namespace app {

void FrmMain::pr_subFullView()
{
    setHeight(kFullHeight);
    pu_subVisibleUpdate();
}

void FrmMain::Form_KeyDown(int keyCode)
{
    if (keyCode == Qt::Key_Escape && m_p.gEscAllView != 0 && Height() < kFullHeight)
        pr_subFullView();
}

void FrmMain::keyPressEvent(QKeyEvent *event)
{
    // Keys no control took (a control's own keys stay its own) reach the
    // window here.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Form_KeyDown(event->key());
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace app
