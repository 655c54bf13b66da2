// A program on a drawing host with the main window at its full height, so
// the ON and OFF lists are shown and can be clicked like a user does.
#pragma once

#include "harness/program/program_fixture.h"
#include "harness/widgets.h"

#include "app/frm_main.h"
#include "app/program.h"
#include "host/open_drawing.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace liststest {

class ListsFixture : public harness::ProgramFixture {
protected:
    // Starts a host on a drawing with these layers and the program on it.
    app::Program &start(const std::vector<harness::LayerSpec> &layers)
    {
        m_host = startHost({drawingFile(QStringLiteral("lists.dxf"), layers)});
        app::Program &p = startProgram();
        p.frmMain().setHeight(app::FrmMain::kFullHeight);
        return p;
    }

    host::OpenDrawing &openDrawing() { return *m_host->activeDrawing(); }
    host::Drawing &drawing() { return openDrawing().drawing(); }
    host::LayerId layerId(const QString &name)
    {
        const host::LayerId id = drawing().findLayer(name);
        EXPECT_NE(id, host::NoLayer) << name.toStdString();
        return id;
    }

    app::FrmMain &f() { return frmMain(); }
    QStringList on() { return harness::itemTexts(*f().LstON); }
    QStringList off() { return harness::itemTexts(*f().LstOFF); }

    void chooseMode(int mode) { harness::click(*f().OptExeMode[static_cast<size_t>(mode)]); }

    // A user's double-click on a caption.
    static void doubleClick(QWidget &w)
    {
        const QPointF at(w.width() / 2.0, w.height() / 2.0);
        const QPointF global = w.mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&w, &release);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(&w, &dbl);
        QMouseEvent release2(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                             Qt::NoModifier);
        QApplication::sendEvent(&w, &release2);
    }

    static QString errorText(const QString &proc, long number, const QString &description)
    {
        return QStringLiteral("エラーが ") + proc + QStringLiteral(" で発生しました。\r\n") +
               QString::number(number) + QStringLiteral("\r\n") + description;
    }

    std::shared_ptr<host::Host> m_host;
};

inline QStringList L(std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *n : names)
        out << QString::fromUtf8(n);
    return out;
}

} // namespace liststest
