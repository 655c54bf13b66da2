// The about box: the program's version, its install folder and its readme.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace app {

class Program;

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    FrmAbout(Program &program, QWidget *owner);

    QLabel *LblVersion = nullptr;
    QLabel *LblFolder = nullptr;
    QPlainTextEdit *TxtReadme = nullptr;
    QPushButton *CmdOK = nullptr;

    // The readme text shown (the program's README).
    static QString readmeText();
};

} // namespace app
