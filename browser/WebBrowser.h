#pragma once

// The embedded web browser control: the operations and events that the
// program needs of it, over Qt WebEngine.

#include <QPointer>
#include <QRect>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <vector>

class QPainter;
class QWebEngineView;

namespace browser {

// What is drawn: the object's content (the only aspect the control offers).
enum class DrawAspect { Content = 1 };

// Draws a browser object's current content.
class ViewObject {
public:
    virtual ~ViewObject() = default;
    // Renders into target, scaled to bounds. lindex selects a piece of the
    // content; the control draws all of it whatever the value. Returns false
    // when nothing could be drawn.
    virtual bool Draw(DrawAspect aspect, int lindex, QPainter& target, const QRect& bounds) = 0;
};

// A browser object: the control itself, or one of the frames inside its page.
// Its identity is its address: the control's default interface is always the
// same pointer, and every frame has another.
class BrowserObject {
public:
    virtual ~BrowserObject() = default;
    // The drawing interface, or null when the object has none.
    virtual ViewObject* QueryViewObject() = 0;
};

// A failure reported by the control, with its description.
class BrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class WebBrowser : public QWidget {
    Q_OBJECT

public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    // Starts loading address and returns at once. The text is read as a
    // browser's address bar reads it: backslashes after a web scheme count as
    // slashes, and a text without a scheme gets one. Throws BrowserError when
    // the text is no address at all.
    void Navigate(const QString& address);

    // The control's own browser object, the same pointer for the control's life.
    BrowserObject* DefaultInterface();

    QWebEngineView* engineView() const { return view_; }

signals:
    // Progress is -1 once loading has finished.
    void ProgressChange(int Progress, int ProgressMax);
    // For the top-level document pDisp is DefaultInterface(); for a frame it
    // is an object of that frame.
    void DocumentComplete(browser::BrowserObject* pDisp, const QVariant& URL);
    // The page loaded last has been painted for the first time.
    void painted();

private:
    class Page;
    class ControlObject;
    class FrameObject;

    void frameCompleted(const QString& url);
    void pagePainted();
    // Runs the event loop (no user input) until the page loaded last has
    // been painted, at most timeoutMs; true when it has.
    bool waitUntilPainted(int timeoutMs);
    void watchDelegateFrames();
    void topLevelCompleted(const QUrl& url);

    QWebEngineView* view_;
    std::unique_ptr<ControlObject> control_;
    std::vector<std::unique_ptr<FrameObject>> frames_;  // of the page being shown
    bool painted_ = false;
    static constexpr int kFramesToShow = 2;
    static constexpr int kPaintToScreenMs = 120;
    int shownFramesSincePaint_ = 0;
    QPointer<QWidget> watchedDelegate_;
};

// The engine's start-up requirements; call before the application object exists.
void InitializeEngine();

}  // namespace browser
