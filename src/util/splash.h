// frmSplash: a small always-on-top window with one line of status text,
// shown while the program waits on the drawing host.  It has no buttons and
// cannot be cancelled; the caller unloads it when the work is done.
#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QLabel;

namespace platform {
class Platform;
}

namespace util {

// The texts the callers show, each ending in full-width dots.
namespace splash {
inline const QString kStartingHost = QStringLiteral("AutoCAD起動中．．．");
inline const QString kReadingLayers = QStringLiteral("AutoCADより画層情報を取得中．．．");
inline const QString kCollectingObjects = QStringLiteral("ONリスト画層内のオブジェクトを取得中．．．");
inline const QString kConvertingByLayer = QStringLiteral("ByLayer変換中．．．");
inline const QString kMoving = QStringLiteral("移動中．．．");
inline const QString kAddingPrefix = QStringLiteral("接頭文字追加中．．．");
inline const QString kReplacingLayerNames = QStringLiteral("画層名を置換中．．．");
inline const QString kReplacingStrings = QStringLiteral("文字列を置換中．．．");
} // namespace splash

class FrmSplash : public QWidget {
    Q_OBJECT
public:
    FrmSplash();
    QLabel *LblMsg = nullptr;
};

// The form as the program holds it: loaded on the first pu_subShow after an
// unload, gone after Unload.
class Splash {
public:
    explicit Splash(platform::Platform &platform);
    ~Splash();
    Splash(const Splash &) = delete;
    Splash &operator=(const Splash &) = delete;

    // Sets the text, sets the title, lets pending events run, then shows the
    // window (not modal).  While it is shown, a further call only replaces
    // the text.
    void pu_subShow(const QString &sMsg);
    void Unload();

    bool isLoaded() const { return m_form != nullptr; }
    // The loaded form, or null.
    FrmSplash *form() const { return m_form.get(); }

private:
    platform::Platform &m_platform;
    std::unique_ptr<FrmSplash> m_form;
};

} // namespace util
