#include "WebBrowser.h"

#include <QCoreApplication>
#include <QPainter>
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
    Page(WebBrowser* owner) : QWebEnginePage(owner), owner_(owner), token_(NewToken())
    {
        QWebEngineScript script;
        script.setName(QStringLiteral("kelvora-frame-complete"));
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        script.setRunsOnSubFrames(true);
        script.setSourceCode(QStringLiteral(R"((function () {
  if (window.top === window) return;
  const report = () => console.log(%1 + location.href);
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
        if (message.startsWith(token_))
            owner_->frameCompleted(message.mid(token_.size()));
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
    explicit ControlObject(QWebEngineView* view) : view_(view) {}

    ViewObject* QueryViewObject() override { return this; }

    bool Draw(DrawAspect aspect, int, QPainter& target, const QRect& bounds) override
    {
        if (aspect != DrawAspect::Content || !view_ || bounds.isEmpty())
            return false;
        const QPixmap content = view_->grab();
        if (content.isNull())
            return false;
        target.drawPixmap(bounds, content);
        return true;
    }

private:
    QPointer<QWebEngineView> view_;
};

WebBrowser::WebBrowser(QWidget* parent)
    : QWidget(parent), view_(new QWebEngineView(this)), control_(std::make_unique<ControlObject>(view_))
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

void WebBrowser::topLevelCompleted(const QUrl& url)
{
    emit DocumentComplete(control_.get(), url.toString());
}

}  // namespace browser
