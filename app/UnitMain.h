#pragma once

// The main window and the spinning view.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <cstdint>

#include "TsGauge.h"
#include "WebBrowser.h"

class FormSurface;
class QOpenGLContext;
class TsSkinManager;

// A label that reports clicks.
class TsLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Shown only within its group box's client area, never over the box's
    // caption or frame, wherever the label has moved.
    void moveEvent(QMoveEvent* event) override;
};

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls, in the order in which they are created.
    TsSkinManager* sSkinManager1;
    QGroupBox* sGroupBox1;
    TsLabel* sLabel1;
    QLineEdit* EdAddress;
    QToolButton* SBtn;
    QPushButton* BtnRotate;
    browser::WebBrowser* WebBrowser1;
    QTimer* Timer1;
    TsGauge* Gauge;
    QPushButton* BtnStop;
    QGroupBox* sGroupBox2;
    TsLabel* sLabel2;
    QTimer* Timer2;

    // Handlers.
    void EdAddressKeyDown(QObject* Sender, std::uint16_t& Key, Qt::KeyboardModifiers Shift);
    void BtnRotateClick(QObject* Sender);
    void SBtnClick(QObject* Sender);
    void WebBrowser1DocumentComplete(QObject* Sender, browser::BrowserObject* pDisp, const QVariant& URL);
    void FormResize(QObject* Sender);
    void FormClose(QObject* Sender);
    void Timer1Timer(QObject* Sender);
    void WebBrowser1ProgressChange(QObject* Sender, int Progress, int ProgressMax);
    void BtnStopClick(QObject* Sender);
    void Timer2Timer(QObject* Sender);
    void sLabel2Click(QObject* Sender);
    void DrawSpinFrame();

    // Design size of the client area.
    static constexpr QSize kDesignSize{982, 623};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void wireHandlers();
    void applyDocking();
    void loadRequest();

    bool closed_ = false;
};

// Unit-level state, all zero at start.
extern TForm1* Form1;
extern FormSurface* FormDC;
extern QOpenGLContext* GLContext;
extern std::uint32_t PageTexture;
extern std::int32_t FrameCount;

// Texts of the window.
namespace texts {
extern const QString WindowCaption;
extern const QString AddressExample;
extern const QString Label1Caption;
extern const QString AboutText;
extern const QString HintStop;
extern const QString HintContinue;
extern const QString EmptyAddress;
extern const QString PageLoaded;
extern const QString StopCaption;
extern const QString ContinueCaption;
extern const QString EnoughQuestion;
extern const QString EnoughCaption;
extern const QString DizzyJoke;
}  // namespace texts

// Photographs browser into fileName as a JPEG of outputWidth x outputHeight.
// Failures are silent.
void SaveBrowserSnapshot(browser::BrowserObject* browser, const QString& fileName, int sourceHeight,
                         int sourceWidth, int outputHeight, int outputWidth);

// Requests and verifies the view's pixel format; shows its own message and
// returns false on failure.
bool ApplyPixelFormat(FormSurface* dc);
