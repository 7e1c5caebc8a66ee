#include "WebBrowser.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QPainter>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QRandomGenerator>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace browser {

namespace {

bool IsWebScheme(const QString& scheme)
{
    static const QStringList kSchemes{"http", "https", "ftp", "file", "ws", "wss"};
    return kSchemes.contains(scheme.toLower());
}

// As a browser's address bar: after a web scheme "\" is a path separator
// (http:\\host is http://host), and a text without a scheme is completed.
QUrl AddressToUrl(const QString& address)
{
    const qsizetype colon = address.indexOf(':');
    QString text = address;
    if (colon > 0 && IsWebScheme(address.left(colon)))
        text.replace('\\', '/');
    QUrl url(text, QUrl::TolerantMode);
    if (url.isValid() && url.scheme().isEmpty())
        url = QUrl::fromUserInput(text.trimmed());
    if (!url.isValid() || url.isEmpty())
        throw BrowserError(QStringLiteral("Неверный адрес: «%1»").arg(address).toStdString());
    return url;
}

}  // namespace

void InitializeEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// The page reports frame completions through console messages carrying a
// token that only our script, in its own isolated world, knows.
class WebBrowser::Page : public QWebEnginePage {
public:
    explicit Page(WebBrowser* owner) : QWebEnginePage(owner), owner_(owner), token_(NewToken())
    {
        QWebEngineScript script;
        script.setName(QStringLiteral("kelvora-frame-complete"));
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        script.setRunsOnSubFrames(true);
        script.setSourceCode(QStringLiteral(R"((function () {
  const top = window.top === window;
  // A frame reports its completion; the top-level page reports when its
  // first frame after loading has been painted.
  const report = top
    ? () => requestAnimationFrame(() => requestAnimationFrame(() => console.log(%1 + 'painted')))
    : () => console.log(%1 + 'frame:' + location.href);
  if (document.readyState === 'complete') report();
  else window.addEventListener('load', report, { once: true });
})();)")
                                 .arg(QStringLiteral("'%1'").arg(token_)));
        scripts().insert(script);
    }

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override
    {
        if (!message.startsWith(token_))
            return;
        const QString report = message.mid(token_.size());
        if (report.startsWith(QLatin1String("frame:")))
            owner_->frameCompleted(report.mid(6));
        else
            owner_->pagePainted();
    }

private:
    static QString NewToken()
    {
        return QStringLiteral("kelvora-frame-%1:").arg(QRandomGenerator::system()->generate64(), 16, 16, QChar('0'));
    }

    WebBrowser* owner_;
    QString token_;
};

class WebBrowser::FrameObject : public BrowserObject {
public:
    ViewObject* QueryViewObject() override { return nullptr; }
};

// The control's default interface; it draws what the view shows.
class WebBrowser::ControlObject : public BrowserObject, public ViewObject {
public:
    explicit ControlObject(WebBrowser* control) : control_(control) {}

    ViewObject* QueryViewObject() override { return this; }

    bool Draw(DrawAspect aspect, int, QPainter& target, const QRect& bounds) override
    {
        if (aspect != DrawAspect::Content || !control_ || bounds.isEmpty())
            return false;
        // Right after loading the engine still shows an unpainted frame for a
        // moment; draw the page as the user sees it.
        control_->waitUntilPainted(kPaintTimeoutMs);
        const QPixmap content = control_->view_->grab();
        if (content.isNull())
            return false;
        target.drawPixmap(bounds, content);
        return true;
    }

private:
    static constexpr int kPaintTimeoutMs = 2000;
    QPointer<WebBrowser> control_;
};

WebBrowser::WebBrowser(QWidget* parent)
    : QWidget(parent), view_(new QWebEngineView(this)), control_(std::make_unique<ControlObject>(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    auto* page = new Page(this);
    view_->setPage(page);

    connect(page, &QWebEnginePage::loadProgress, this, [this](int percent) { emit ProgressChange(percent, 100); });
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            frames_.clear();
            painted_ = false;
            shownFramesSincePaint_ = 0;
            watchDelegateFrames();
            emit ProgressChange(0, 100);
            break;
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            emit ProgressChange(-1, 100);
            break;
        default:  // succeeded, or failed with the engine's error page shown: both complete
            emit ProgressChange(-1, 100);
            topLevelCompleted(info.url());
            break;
        }
    });
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::Navigate(const QString& address)
{
    view_->load(AddressToUrl(address));
}

BrowserObject* WebBrowser::DefaultInterface()
{
    return control_.get();
}

void WebBrowser::frameCompleted(const QString& url)
{
    frames_.push_back(std::make_unique<FrameObject>());
    emit DocumentComplete(frames_.back().get(), url);
}

void WebBrowser::pagePainted()
{
    // The renderer has painted; its frame reaches the view a little later.
    QTimer::singleShot(kPaintToScreenMs, this, [this] {
        painted_ = true;
        emit painted();
    });
}

bool WebBrowser::waitUntilPainted(int timeoutMs)
{
    if (shownFramesSincePaint_ >= kFramesToShow || view_->url().isEmpty())
        return true;
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    const auto check = [&] {
        if (shownFramesSincePaint_ >= kFramesToShow)
            loop.quit();
    };
    const auto connection = connect(this, &WebBrowser::painted, &loop, check);
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        watchDelegateFrames();
        check();
    });
    poll.start(5);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(connection);
    return shownFramesSincePaint_ >= kFramesToShow;
}

// The engine's frames reach the view through a Qt Quick delegate; once the
// renderer has painted the page, the page is on screen after the delegate
// has rendered the frames that follow.
void WebBrowser::watchDelegateFrames()
{
    auto* delegate = qobject_cast<QQuickWidget*>(view_->focusProxy());
    if (!delegate || delegate == watchedDelegate_)
        return;
    watchedDelegate_ = delegate;
    connect(delegate->quickWindow(), &QQuickWindow::afterRendering, this, [this] {
        if (painted_)
            ++shownFramesSincePaint_;
    }, Qt::DirectConnection);
}

void WebBrowser::topLevelCompleted(const QUrl& url)
{
    emit DocumentComplete(control_.get(), url.toString());
}

}  // namespace browser
