#include "lists/layer_combo.h"
#include "app/frm_main.h"
#include "app/program.h"
#include "lists/acad_checks.h"
#include "lists/unique_combo.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lists {

namespace {

// "The object invoked has disconnected from its clients" (0x80010108): the
// document object went stale, e.g. after the drawing host switched drawings.
constexpr long kDisconnected = -2147417848;

const QString kLayerZero = QStringLiteral("0");

// The caption's click and double-click.
class LblLayerEvents : public QObject {
public:
    // The filter is a child of the label it watches, so it never outlives it.
    LblLayerEvents(app::Program &p, QLabel *label) : QObject(label), m_p(p), m_label(label) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Compare with the label itself: the main window may be in the middle
        // of its destruction when the last events arrive.
        if (watched == m_label) {
            if (event->type() == QEvent::MouseButtonRelease) {
                // The release that ends a double-click is no second click.
                if (m_afterDblClick)
                    m_afterDblClick = false;
                else
                    LblLayer_Click(m_p);
                return true;
            }
            if (event->type() == QEvent::MouseButtonDblClick) {
                m_afterDblClick = true;
                LblLayer_DblClick(m_p);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    app::Program &m_p;
    QLabel *m_label;
    bool m_afterDblClick = false;
};

} // namespace

void setComboText(QComboBox *cbo, const QString &text)
{
    if (cbo->isEditable()) {
        if (cbo->currentText() == text)
            emit cbo->editTextChanged(text); // as a text set by code, it still counts as a change
        else
            cbo->setEditText(text);
        return;
    }
    const int k = cbo->findText(text, Qt::MatchFixedString);
    if (k >= 0)
        cbo->setCurrentIndex(k);
}

void pr_subCheckLayerState(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    try {
        const int i = f.CboLayer->currentIndex();
        bool act = false;
        if (i >= 1) {
            // The entry chosen names the layer, whatever letter case was typed.
            if (!p.gAcadDoc)
                throw objectNotSet();
            const acad::LayerPtr active = p.gAcadDoc->ActiveLayer();
            act = !active || f.CboLayer->itemText(i) != active->Name();
        }
        f.CmdLayerAct->setEnabled(act);
        f.CmdLayerAdd->setEnabled(i < 0);
        // Layer "0" cannot be renamed; every other layer entry can, even one
        // that sorts before "0".
        f.CmdLayerMofify->setEnabled(i >= 1 && f.CboLayer->itemText(i) != kLayerZero);
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("pr_subCheckLayerState"), e);
    }
}

void CboLayer_Click(app::Program &p)
{
    pr_subCheckLayerState(p);
    if (p.hasEnded())
        return;
    p.frmMain().pr_subSetClassFromLayer();
    p.frmMain().pr_subChange_AttributeCbo();
}

void CboLayer_Change(app::Program &p) { CboLayer_Click(p); }

void CmdLayerAct_Click(app::Program &p)
{
    try {
        const acad::LayerPtr layer = p.gAcadDoc->Layers()->Item(p.frmMain().CboLayer->currentText());
        p.gAcadDoc->setActiveLayer(layer);
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("CmdLayerAct_Click"), e);
    }
}

void CmdLayerAdd_Click(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    try {
        const int answer =
            p.MsgBox(QStringLiteral("キー入力された画層名を図面に追加します。\rよろしいですか？"),
                     platform::vbYesNo + platform::vbQuestion, QStringLiteral("画層追加"));
        if (answer != platform::vbYes)
            return;
        const QString name = f.CboLayer->currentText();
        const acad::LayerPtr layer = p.gAcadDoc->Layers()->Add(name);
        p.gAcadDoc->setActiveLayer(layer);
        p.pu_subReloadDrawing();
        if (p.hasEnded())
            return;
        setComboText(f.CboLayer, name);
        CboLayer_Click(p);
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("CmdLayerAdd_Click"), e);
    }
}

void CmdLayerMofify_Click(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    try {
        const QString old = f.CboLayer->currentText();
        const QString answer = p.platform().InputBox(
            QStringLiteral("画層：") + old + QStringLiteral("　の画層名を修正します。"),
            QStringLiteral("画層名の修正"), old);
        if (answer.isEmpty()) {
            p.MsgBox(QStringLiteral("画層名は1文字以上の英数字を指定してください。"),
                     platform::vbExclamation);
            return;
        }
        p.gAcadDoc->Layers()->Item(old)->setName(answer);
        p.pu_subReloadDrawing();
        if (p.hasEnded())
            return;
        setComboText(f.CboLayer, answer);
        f.CboLayer->repaint();
        CboLayer_Click(p);
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("CmdLayerMofify_Click"), e);
    }
}

void CmdLayerAll_Click(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    const auto selectFirst = [&p](QComboBox *cbo) {
        if (p.hasEnded() || cbo->count() == 0)
            return;
        cbo->setCurrentIndex(0);
        emit cbo->activated(0); // the combo's own click handling
    };
    selectFirst(f.CboLayer);
    for (QComboBox *c : f.CboItem)
        selectFirst(c);
}

void LblLayer_Click(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    const auto step = [&p, &f] {
        if (!p.gAcadDoc)
            throw objectNotSet();
        const acad::LayerPtr active = p.gAcadDoc->ActiveLayer();
        setComboText(f.CboLayer, active ? active->Name() : QString());
    };
    try {
        try {
            step();
        } catch (const acad::AcadError &e) {
            if (e.number() != kDisconnected)
                throw;
            // A stale document: read the active one again and try once more
            // (a second failure is reported, not retried for ever).
            p.pu_subGetActiveDocument();
            if (p.gDocNotFound || p.hasEnded())
                return;
            step();
        }
    } catch (const std::exception &e) {
        p.ErrorBox(QStringLiteral("LblLayer_Click"), e);
    }
}

void LblLayer_DblClick(app::Program &p) { p.pu_subReloadDrawing(); }

void pr_subConnectLayerControls(app::Program &p)
{
    app::FrmMain &f = p.frmMain();
    // The lookup object first, so the form's handlers see its selection.
    p.gUniqueCboLayer.clsSetComboBox(f.CboLayer);
    QObject::connect(f.CboLayer, &QComboBox::editTextChanged, f.CboLayer,
                     [&p](const QString &) { CboLayer_Change(p); });
    QObject::connect(f.CboLayer, &QComboBox::activated, f.CboLayer,
                     [&p](int) { CboLayer_Click(p); });
    QObject::connect(f.CmdLayerAct, &QPushButton::clicked, f.CmdLayerAct,
                     [&p] { CmdLayerAct_Click(p); });
    QObject::connect(f.CmdLayerAdd, &QPushButton::clicked, f.CmdLayerAdd,
                     [&p] { CmdLayerAdd_Click(p); });
    QObject::connect(f.CmdLayerMofify, &QPushButton::clicked, f.CmdLayerMofify,
                     [&p] { CmdLayerMofify_Click(p); });
    QObject::connect(f.CmdLayerAll, &QPushButton::clicked, f.CmdLayerAll,
                     [&p] { CmdLayerAll_Click(p); });
    f.LblLayer->installEventFilter(new LblLayerEvents(p, f.LblLayer));
}

} // namespace lists
