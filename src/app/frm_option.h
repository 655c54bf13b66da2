// frmOption: the options dialog.  Edits section "Option" of the settings
// file: the layer-name delimiter and four switches.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

class Program;

class FrmOption : public QDialog {
    Q_OBJECT
public:
    FrmOption(Program &program, QWidget *owner);

    // The characters a layer name may not hold, in the order shown.
    static QString invalidCharacters();

    // Handlers.
    void Form_Load();
    void TxtDeli_Change();
    void CmdSave_Click();
    void CmdClose_Click();

    // The settings file, made absolute when the form loads.
    QString mIniPath;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *TxtDeli = nullptr;
    QCheckBox *ChkONOFFDetail = nullptr;
    QCheckBox *ChkAutoHide = nullptr;
    QCheckBox *ChkViewChange = nullptr;
    QCheckBox *ChkSmallView = nullptr;
    QPushButton *CmdSave = nullptr;
    QPushButton *CmdClose = nullptr;

private:
    Program &m_p;
};

} // namespace app
