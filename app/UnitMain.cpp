#include "UnitMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "Dialogs.h"
#include "FormSurface.h"
#include "Glyph.h"
#include "SkinManager.h"

TForm1* Form1 = nullptr;
FormSurface* FormDC = nullptr;
QOpenGLContext* GLContext = nullptr;
std::uint32_t PageTexture = 0;
std::int32_t FrameCount = 0;

namespace texts {
const QString WindowCaption = QStringLiteral("Раскрутка сайтов");
const QString AddressExample = QStringLiteral("http:\\\\www.wikipedia.org");
const QString Label1Caption =
    QStringLiteral("Введите адрес сайта или страницы для раскрутки, \r\nнапример, ") + AddressExample;
const QString AboutText = QStringLiteral(
    "  Разработка:\n"
    "  проект Kelvora, связь через трекер задач проекта\n"
    "\n"
    "  Оформление: собственная тема «Calcium»\n"
    "  Спасибо всем, кто делает открытый веб!\n"
    "\n"
    "  Программа бесплатная, распространяется\n"
    "  по принципу «как есть» (as is).\n"
    "  Исходный код можно получить у разработчика.\n"
    "\n"
    "  Как получить исходный код с комментариями:\n"
    "  откройте репозиторий проекта Kelvora,\n"
    "  возьмите ветку main и прочтите README;\n"
    "  комментарии — прямо в исходных текстах.");
const QString HintStop = QStringLiteral("Кликните, чтобы остановить");
const QString HintContinue = QStringLiteral("Кликните, чтобы продолжить крутить сайт");
const QString EmptyAddress = QStringLiteral("Введите существующий адрес сайта!");
const QString PageLoaded = QStringLiteral("Страница загружена. Можно раскручивать!!!");
const QString StopCaption = QStringLiteral("STOP");
const QString ContinueCaption = QStringLiteral("Продолжить раскрутку");
const QString EnoughQuestion = QStringLiteral("БУУ-ГА-ГА!! Сайт сделал 60 оборотов. Достаточно крутить?");
const QString EnoughCaption = QStringLiteral("Внимание !");
const QString DizzyJoke = QStringLiteral("У сайта может закружиться голова и слететь шапка! :) ");
}  // namespace texts

namespace {

// "MS Sans Serif" does not exist here; Liberation Sans has its metrics close
// enough for the layout, Cyrillic, and is installed by the set-up scripts.
QFont SansSerif(int pixelHeight)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelHeight);
    return font;
}

constexpr int kVirtualKeyReturn = 13;

std::uint16_t VirtualKeyOf(const QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return kVirtualKeyReturn;
    return static_cast<std::uint16_t>(event->key());
}

// A group box's client area leaves 2 pixels of frame at its sides and
// bottom and 15 at its top for the caption.
constexpr int kGroupBoxFrame = 2;
constexpr int kGroupBoxCaption = 15;

QRect GroupBoxClientRect(QSize box)
{
    return QRect(kGroupBoxFrame, kGroupBoxCaption, box.width() - 2 * kGroupBoxFrame,
                 box.height() - kGroupBoxCaption - kGroupBoxFrame);
}

// Ticker constants: fixed numbers, not worked out from any size.
constexpr int kTickerWrapTop = -260;
constexpr int kTickerRestartTop = 120;

}  // namespace

void TsLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TsLabel::moveEvent(QMoveEvent* event)
{
    QLabel::moveEvent(event);
    if (parentWidget())
        setMask(QRegion(GroupBoxClientRect(parentWidget()->size()).translated(-pos())));
}

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(texts::WindowCaption);
    // X11's closest thing to the taskbar button's own text: the icon name,
    // which taskbars show where the application title and caption differ.
    setWindowIconText(ApplicationTitle);
    setFont(SansSerif(10));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    resize(kDesignSize);
    createControls();
    wireHandlers();
    applyDocking();
    EdAddress->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::createControls()
{
    sGroupBox1 = new QGroupBox(QStringLiteral("Управление"), this);
    sGroupBox1->setObjectName(QStringLiteral("sGroupBox1"));
    sGroupBox1->setGeometry(0, 462, 982, 161);

    sLabel1 = new TsLabel(texts::Label1Caption, sGroupBox1);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setFont(SansSerif(11));
    sLabel1->move(13, 39);
    sLabel1->adjustSize();

    SBtn = new QToolButton(sGroupBox1);
    SBtn->setObjectName(QStringLiteral("SBtn"));
    SBtn->setGeometry(572, 39, 20, 20);
    SBtn->setFocusPolicy(Qt::NoFocus);
    SBtn->setAutoRaise(true);
    SBtn->setIcon(QIcon(BuildGoGlyph()));
    SBtn->setIconSize(QSize(16, 16));

    Gauge = new TsGauge(sGroupBox1);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setGeometry(2, 135, 978, 24);

    EdAddress = new QLineEdit(texts::AddressExample, sGroupBox1);
    EdAddress->setObjectName(QStringLiteral("EdAddress"));
    EdAddress->setGeometry(286, 39, 287, 21);
    EdAddress->setFont(SansSerif(11));

    BtnRotate = new QPushButton(QStringLiteral("Раскрутить сайт"), sGroupBox1);
    BtnRotate->setObjectName(QStringLiteral("BtnRotate"));
    BtnRotate->setGeometry(26, 98, 137, 26);
    BtnRotate->setEnabled(false);

    BtnStop = new QPushButton(texts::StopCaption, sGroupBox1);
    BtnStop->setObjectName(QStringLiteral("BtnStop"));
    BtnStop->setGeometry(377, 98, 150, 26);

    sGroupBox2 = new QGroupBox(QStringLiteral("О программе"), sGroupBox1);
    sGroupBox2->setObjectName(QStringLiteral("sGroupBox2"));
    sGroupBox2->setGeometry(600, 15, 380, 120);

    sLabel2 = new TsLabel(texts::AboutText, sGroupBox2);
    sLabel2->setObjectName(QStringLiteral("sLabel2"));
    sLabel2->setFont(SansSerif(12));
    sLabel2->move(8, 101);
    sLabel2->adjustSize();
    sLabel2->setToolTip(texts::HintStop);

    WebBrowser1 = new browser::WebBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setGeometry(0, 0, 982, 462);

    sSkinManager1 = new TsSkinManager(this);
    sSkinManager1->setObjectName(QStringLiteral("sSkinManager1"));
    sSkinManager1->SetSkinName(QStringLiteral("Calcium (internal)"));
    sSkinManager1->SetSkinSection(sGroupBox1, "GROUPBOX");
    sSkinManager1->SetSkinSection(sGroupBox2, "GROUPBOX");
    sSkinManager1->SetSkinSection(SBtn, "SPEEDBUTTON");
    sSkinManager1->SetSkinSection(Gauge, "GAUGE");
    sSkinManager1->SetSkinSection(EdAddress, "EDIT");
    sSkinManager1->SetSkinSection(BtnRotate, "BUTTON");
    sSkinManager1->SetSkinSection(BtnStop, "BUTTON");
    sSkinManager1->Activate();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(10);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(50);
    Timer2->start();

    // Tab order: the address box, the spin button, the stop button, then the page.
    setTabOrder(EdAddress, BtnRotate);
    setTabOrder(BtnRotate, BtnStop);
    setTabOrder(BtnStop, WebBrowser1);
}

void TForm1::wireHandlers()
{
    EdAddress->installEventFilter(this);
    connect(SBtn, &QToolButton::clicked, this, [this] { RunHandler([this] { SBtnClick(SBtn); }); });
    connect(BtnRotate, &QPushButton::clicked, this, [this] { RunHandler([this] { BtnRotateClick(BtnRotate); }); });
    connect(BtnStop, &QPushButton::clicked, this, [this] { RunHandler([this] { BtnStopClick(BtnStop); }); });
    connect(sLabel2, &TsLabel::clicked, this, [this] { RunHandler([this] { sLabel2Click(sLabel2); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { RunHandler([this] { Timer1Timer(Timer1); }); });
    connect(Timer2, &QTimer::timeout, this, [this] { RunHandler([this] { Timer2Timer(Timer2); }); });
    connect(WebBrowser1, &browser::WebBrowser::ProgressChange, this, [this](int progress, int progressMax) {
        RunHandler([&] { WebBrowser1ProgressChange(WebBrowser1, progress, progressMax); });
    });
    connect(WebBrowser1, &browser::WebBrowser::DocumentComplete, this,
            [this](browser::BrowserObject* pDisp, const QVariant& url) {
                RunHandler([&] { WebBrowser1DocumentComplete(WebBrowser1, pDisp, url); });
            });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EdAddress && event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        std::uint16_t key = VirtualKeyOf(keyEvent);
        RunHandler([&] { EdAddressKeyDown(EdAddress, key, keyEvent->modifiers()); });
    }
    return QWidget::eventFilter(watched, event);  // the edit box still gets the key
}

// X11 has no "fixed border but maximisable" window: the window manager draws
// the frame and only knows minimum and maximum size hints, and min = max would
// also forbid maximising. So the hints stay open and a size that dragging
// produces in the normal state is put back to the design size.
void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && isVisible() && size() != kDesignSize) {
        resize(kDesignSize);
        return;
    }
    applyDocking();
    RunHandler([this] { FormResize(this); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        RunHandler([this] { FormClose(this); });
        // The program ends with its window: no tick or browser event may reach
        // a handler between here and the end of the message loop.
        Timer1->stop();
        Timer2->stop();
        WebBrowser1->disconnect(this);
    }
    event->accept();
}

// sGroupBox1 along the bottom, the browser above it, and inside sGroupBox1's
// client area the gauge along the bottom and sGroupBox2 at the right end.
void TForm1::applyDocking()
{
    const int panelHeight = sGroupBox1->height();
    sGroupBox1->setGeometry(0, height() - panelHeight, width(), panelHeight);
    WebBrowser1->setGeometry(0, 0, width(), height() - panelHeight);
    const QRect client = GroupBoxClientRect(sGroupBox1->size());
    Gauge->setGeometry(client.left(), client.bottom() + 1 - Gauge->height(), client.width(), Gauge->height());
    sGroupBox2->move(client.right() + 1 - sGroupBox2->width(), sGroupBox2->y());
}

void TForm1::loadRequest()
{
    const QString address = EdAddress->text();
    if (address.isEmpty()) {
        ShowInformation(texts::EmptyAddress);
        return;
    }
    WebBrowser1->Navigate(address);
}

void TForm1::EdAddressKeyDown(QObject*, std::uint16_t& Key, Qt::KeyboardModifiers)
{
    if (Key == kVirtualKeyReturn)
        loadRequest();
}

void TForm1::SBtnClick(QObject*)
{
    loadRequest();
}

void TForm1::WebBrowser1ProgressChange(QObject*, int Progress, int ProgressMax)
{
    Gauge->SetMaxValue(ProgressMax);
    Gauge->SetProgress(Progress);
}

void TForm1::WebBrowser1DocumentComplete(QObject*, browser::BrowserObject* pDisp, const QVariant&)
{
    if (pDisp != WebBrowser1->DefaultInterface())
        return;  // a frame inside the page
    ShowInformation(texts::PageLoaded);
    Form1->BtnRotate->setEnabled(true);
}

void TForm1::Timer2Timer(QObject*)
{
    sLabel2->move(sLabel2->x(), sLabel2->y() - 1);
    if (sLabel2->y() == kTickerWrapTop)
        sLabel2->move(sLabel2->x(), kTickerRestartTop);
}

void TForm1::sLabel2Click(QObject*)
{
    if (Timer2->isActive()) {
        Timer2->stop();
        sLabel2->setToolTip(texts::HintContinue);
    } else {
        Timer2->start();
        sLabel2->setToolTip(texts::HintStop);
    }
}
