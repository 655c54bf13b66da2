// Pictures of the main window in its four height states.  Each picture is
// as tall as the state's client area; with LAMORIA_SCREENSHOT_DIR set they
// are also saved there as PNG files to be looked at (run under a real X
// server, e.g. xvfb-run, for real fonts).
#include "harness/program/program_fixture.h"
#include "harness/widgets.h"

#include "app/frm_main.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPixmap>

namespace {

class ScreenshotTest : public harness::ProgramFixture {};

TEST_F(ScreenshotTest, EachHeightState)
{
    startHost({drawingFile(QStringLiteral("図面.dxf"),
                           {{QStringLiteral("0")},
                            {QStringLiteral("A-壁-新設")},
                            {QStringLiteral("A-建具-既存"), false},
                            {QStringLiteral("S-柱")},
                            {QStringLiteral("E-照明-天井"), false},
                            {QStringLiteral("Dim")}})});
    app::Program &p = startProgram();
    app::FrmMain &f = p.frmMain();
    const QString dir = qEnvironmentVariable("LAMORIA_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QDir().mkpath(dir);

    struct State {
        int height;
        int smallViewClass;
        const char *file;
    };
    const State states[] = {
        {900, 1, "main_900_class.png"}, {900, 0, "main_900_layer.png"},
        {1335, 1, "main_1335.png"},     {1910, 1, "main_1910.png"},
        {4890, 1, "main_4890.png"},     {6000, 1, "main_6000.png"},
    };
    for (const State &s : states) {
        SCOPED_TRACE(s.file);
        p.gSmallViewClass = s.smallViewClass;
        f.setHeight(s.height == 900 ? 1335 : 900);
        f.setHeight(s.height);
        QApplication::processEvents();
        const QImage image = f.grab().toImage();
        EXPECT_EQ(image.height() / image.devicePixelRatio(),
                  (s.height - app::FrmMain::kNonClientHeight) / 15);
        EXPECT_EQ(image.width() / image.devicePixelRatio(),
                  (app::FrmMain::kFormWidth - app::FrmMain::kNonClientWidth) / 15);
        if (!dir.isEmpty()) {
            EXPECT_TRUE(image.save(dir + QLatin1Char('/') + QLatin1String(s.file)));
        }
    }

    // The three pages of the tab control: every control inside its page.
    f.setHeight(app::FrmMain::kFullHeight);
    for (int page = 0; page < f.SSTab1->count(); ++page) {
        SCOPED_TRACE(page);
        f.SSTab1->setCurrentIndex(page);
        QApplication::processEvents();
        QWidget *w = f.SSTab1->widget(page);
        for (QObject *o : w->children()) {
            auto *child = qobject_cast<QWidget *>(o);
            if (child && !child->isHidden()) {
                EXPECT_TRUE(w->rect().contains(child->geometry()))
                    << child->objectName().toStdString();
            }
        }
        if (!dir.isEmpty()) {
            EXPECT_TRUE(f.grab().save(dir + QStringLiteral("/main_tab%1.png").arg(page)));
        }
    }
}

} // namespace
