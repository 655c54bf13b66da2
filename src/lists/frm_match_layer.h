// frmMatchLayer: the confirmation dialog of the class commands.  It shows
// the class text, the pattern and what will be done, and (expanded) the
// matched and the other layers, which the user can move between its two
// lists before confirming, cancelling or sending them to the main window's
// lists only.
#pragma once

#include "lists/name_array.h"

#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace app {
class Program;
}

namespace lists {

class FrmMatchLayer : public QDialog {
    Q_OBJECT
public:
    // Heights (twips) of the collapsed and expanded forms.
    static constexpr int kCollapsedHeight = 2595;
    static constexpr int kExpandedHeight = 5625;
    static constexpr int kWidth = 8280;
    // Title bar and borders as the design assumed them (twips).
    static constexpr int kNonClientHeight = 390;

    FrmMatchLayer(app::Program &p, QWidget *owner);

    // Outer height in twips (one of the two heights).
    int Height() const { return m_heightTw; }
    void setHeight(int twips);

    // The process caption of a mode for a process word ("表示", "非表示",
    // "排他表示").
    static QString processCaption(int mode, const QString &sProcess);

    // Shows the dialog modally and hands back its lists and which button was
    // pressed (see pu_subFormShow below).
    void formShow(NameArray &sONArray, NameArray &sOFFArray, const QString &sLblItems,
              const QString &sLblRegExp, QString &sLblProcess, bool &bOK, bool &bONList);

    // ---- handlers
    void CmdOK_Click();
    void CmdONList_Click();
    void CmdCancel_Click();
    void CmdListView_Click();
    void CmdMoveON_Click();
    void CmdMoveOFF_Click();
    void CmdMoveON_ALL_Click();
    void CmdMoveOFF_ALL_Click();
    void CmdReverse_Click();

    // ---- controls
    QLabel *Lbl1 = nullptr;
    QLabel *LblItems = nullptr;
    QLabel *Lbl3 = nullptr;
    QLabel *LblRegExp = nullptr;
    QLabel *Lbl4 = nullptr;
    QLabel *LblProcess = nullptr;
    QLabel *Lbl5 = nullptr;
    QLabel *Lbl6 = nullptr;
    QPushButton *CmdListView = nullptr;
    QPushButton *CmdONList = nullptr;
    QPushButton *CmdOK = nullptr;
    QPushButton *CmdCancel = nullptr;
    QGroupBox *FraList = nullptr;
    QListWidget *LstON = nullptr;
    QListWidget *LstOFF = nullptr;
    QLabel *LblON = nullptr;
    QLabel *LblOFF = nullptr;
    QGroupBox *Frame1 = nullptr;
    QPushButton *CmdMoveON = nullptr;
    QPushButton *CmdMoveOFF = nullptr;
    QPushButton *CmdMoveON_ALL = nullptr;
    QPushButton *CmdMoveOFF_ALL = nullptr;
    QPushButton *CmdReverse = nullptr;
    QLabel *Lbl7 = nullptr;

private:
    void pr_subFillLists();
    void pr_subSetCountLabels();
    void pr_subStoreLists();
    void place(QWidget *w, int left, int top, int width, int height) const;
    int px(int twips) const;

    app::Program &m_p;
    NameArray mvON;
    NameArray mvOFF;
    bool mbOK = false;
    bool mbONList = false;
    int m_heightTw = kCollapsedHeight;
};

// Loads frmMatchLayer, shows it and unloads it.  sONArray and sOFFArray come
// back as the dialog's final lists when bOK or bONList is true, unchanged
// otherwise (Cancel, the close box).  sLblProcess comes back as the caption
// shown for the selected processing mode.  An unexpected error is reported
// in a box titled "pu_subFormShow".
void pu_subFormShow(app::Program &p, NameArray &sONArray, NameArray &sOFFArray,
                    const QString &sLblItems, const QString &sLblRegExp, QString &sLblProcess,
                    bool &bOK, bool &bONList);

} // namespace lists
