// Timed harness for the parts that need the window, the engine and GL:
//   app_bench startup    process start to the window shown (one figure; run it several times)
//   app_bench view       upload, snapshot split, spin frames, tick rate, memory over spins
//   app_bench screenshots FOLDER   a screenshot sequence of loading, readiness and spinning
// Figures are medians of repeated runs, printed one per line.

#include <GL/gl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QScreen>
#include <QTimer>
#include <QOpenGLContext>
#include <QWebEngineView>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "BenchImages.h"
#include "FormSurface.h"
#include "JpegDecoder.h"
#include "JpegWriter.h"
#include "TextureSeam.h"
#include "Textures.h"
#include "UnitMain.h"

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MillisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

double MedianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(MillisecondsOf(work));
    return Median(times);
}

// Seconds since this process started, from /proc.
double SecondsSinceProcessStart()
{
    QFile stat("/proc/self/stat");
    stat.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    const double startTicks = fields.value(19).toDouble();  // field 22 overall
    QFile uptime("/proc/uptime");
    uptime.open(QIODevice::ReadOnly);
    const double up = uptime.readAll().split(' ').first().toDouble();
    return up - startTicks / double(sysconf(_SC_CLK_TCK));
}

long ResidentKb(const char* field)
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').first().toLong();
    return 0;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop (sleeping while there is nothing to do) until done() or the timeout.
void Wait(const std::function<bool()>& done, int timeoutMs = 20000)
{
    if (done())
        return;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
}

// Presses OK on every message box, as a patient user would.
void AnswerMessageBoxes(QObject* owner)
{
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
                box->button(QMessageBox::Ok)->click();
    });
    timer->start(10);
}

// Calls back when a message box is shown.
class MessageShownFilter : public QObject {
public:
    explicit MessageShownFilter(std::function<void()> shown) : shown_(std::move(shown))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched))
            shown_();
        return false;
    }

private:
    std::function<void()> shown_;
};

// Serves one page of the screenshot-like kind from 127.0.0.1.
class PageServer : public QTcpServer {
public:
    PageServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    socket->readAll();
                    const QByteArray body = R"(<!doctype html><html><body style="margin:0;font:14px sans-serif">
<div style="background:#28467a;color:white;height:40px">Header</div>
<div style="display:flex"><div style="width:180px;background:#ececec;height:420px"></div>
<div style="padding:20px">)" + QByteArray("Lorem ipsum dolor sit amet, consectetur adipiscing elit. ").repeated(60) +
                                            R"(</div></div></body></html>)";
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
        });
    }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()); }
};

int Startup()
{
    TForm1 form;
    Form1 = &form;
    form.show();
    Wait([&] { return form.windowHandle() && form.windowHandle()->isExposed(); });
    std::printf("startup_ms %.1f\n", SecondsSinceProcessStart() * 1000.0);
    return 0;
}

int View()
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    TForm1 form;
    Form1 = &form;
    form.show();
    AnswerMessageBoxes(&form);
    PageServer server;

    // From the engine's top-level load finishing to the readiness message on screen.
    QElapsedTimer clock;
    clock.start();
    std::vector<double> loadLatencies;
    qint64 loadFinishedAt = -1;
    // Progress -1 comes right before the top-level completion.
    QObject::connect(form.WebBrowser1, &browser::WebBrowser::ProgressChange, &form, [&](int progress, int) {
        if (progress == -1)
            loadFinishedAt = clock.nsecsElapsed();
    });
    MessageShownFilter shown([&] {
        if (loadFinishedAt >= 0)
            loadLatencies.push_back(double(clock.nsecsElapsed() - loadFinishedAt) / 1e6);
        loadFinishedAt = -1;
    });
    for (int load = 0; load < 7; ++load) {
        form.WebBrowser1->Navigate(server.address() + QString::number(load));
        Wait([&] { return loadLatencies.size() == std::size_t(load + 1); });
    }
    std::printf("load_finished_to_message_ms %.2f\n", Median(loadLatencies));
    Wait([&] { return form.BtnRotate->isEnabled(); });

    const auto idleCpuPercent = [&] {
        const double before = CpuSeconds();
        QElapsedTimer idle;
        idle.start();
        Wait([&] { return idle.elapsed() >= 5000; }, 6000);
        return 100.0 * (CpuSeconds() - before) / (double(idle.nsecsElapsed()) / 1e9);
    };
    std::printf("idle_cpu_percent_page_shown %.1f\n", idleCpuPercent());
    form.Timer2->stop();
    std::printf("idle_cpu_percent_page_shown_ticker_paused %.1f\n", idleCpuPercent());
    form.Timer2->start();

    // Snapshot, split into its steps, and the engine's own grab for comparison.
    const int w = form.WebBrowser1->width(), h = form.WebBrowser1->height();
    browser::ViewObject* view = form.WebBrowser1->DefaultInterface()->QueryViewObject();
    QImage capture(w, h, QImage::Format_RGB32), output;
    std::vector<std::uint8_t> jpeg;
    const double draw = MedianMs(15, [&] {
        capture.fill(Qt::white);
        QPainter painter(&capture);
        view->Draw(browser::DrawAspect::Content, 1, painter, QRect(0, 0, w, h));
    });
    const double grab = MedianMs(15, [&] { form.WebBrowser1->engineView()->grab(); });
    const double copy = MedianMs(15, [&] { output = capture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation); });
    const QImage rgb = output.convertToFormat(QImage::Format_RGB888);
    const double convert = MedianMs(15, [&] { (void)output.convertToFormat(QImage::Format_RGB888); });
    const double encode = MedianMs(15, [&] {
        EncodeJpeg(rgb.constBits(), rgb.width(), rgb.height(), std::size_t(rgb.bytesPerLine()), jpeg);
    });
    const double write = MedianMs(15, [&] {
        QFile file("bench.jpg");
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(reinterpret_cast<const char*>(jpeg.data()), qint64(jpeg.size()));
    });
    const double whole = MedianMs(15, [&] {
        SaveBrowserSnapshot(form.WebBrowser1->DefaultInterface(), "1.jpg", h, w, h, w);
    });
    // The same call with a view that only fills: what the snapshot adds around the engine.
    struct FillView : browser::BrowserObject, browser::ViewObject {
        browser::ViewObject* QueryViewObject() override { return this; }
        bool Draw(browser::DrawAspect, int, QPainter& target, const QRect& bounds) override
        {
            target.fillRect(bounds, Qt::darkCyan);
            return true;
        }
    } fill;
    const double withoutEngine = MedianMs(15, [&] { SaveBrowserSnapshot(&fill, "1.jpg", h, w, h, w); });
    std::printf("snapshot_without_engine_ms %.2f\n", withoutEngine);
    std::printf("snapshot_size %dx%d jpeg_bytes %zu\n", w, h, jpeg.size());
    std::printf("snapshot_draw_ms %.2f (engine grab alone %.2f)\n", draw, grab);
    std::printf("snapshot_copy_ms %.2f\nsnapshot_convert_ms %.2f\nsnapshot_encode_ms %.2f\nsnapshot_write_ms %.2f\n",
                copy, convert, encode, write);
    std::printf("snapshot_whole_ms %.2f\n", whole);
    // Click to the first spun frame: the set-up plus one frame.
    form.Timer1->stop();
    const double firstFrame = MillisecondsOf([&] {
        form.BtnRotateClick(form.BtnRotate);
        form.Timer1->stop();
        form.DrawSpinFrame();
    });
    std::printf("click_to_first_frame_ms %.1f\n", firstFrame);

    // Upload of the decoded snapshot.
    QFile snapshot("1.jpg");
    snapshot.open(QIODevice::ReadOnly);
    const QByteArray bytes = snapshot.readAll();
    const auto decoded = Textures::DecodeJpeg({reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size())});
    GLContext->makeCurrent(FormDC);
    std::vector<GLuint> names;
    const double upload = MedianMs(15, [&] {
        names.push_back(Textures::UploadTexture(std::uint16_t(decoded.image.width), std::uint16_t(decoded.image.height),
                                                GL_RGBA, decoded.image.pixels.data()));
        glFinish();
    });
    glDeleteTextures(GLsizei(names.size()), names.data());
    glBindTexture(GL_TEXTURE_2D, PageTexture);
    std::printf("upload_ms %.2f\n", upload);

    // Per-frame cost at the design size, on the shown surface.
    Wait([] { return FormDC->isExposed(); }, 5000);
    // Side by side with the same drawing done bare on the same surface,
    // alternating so that both see the same machine.
    const auto bareFrame = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glRotatef(5.0f, 0, 1, 0);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0), glVertex3f(-1.8f, -1, 0);
        glTexCoord2f(1, 0), glVertex3f(1.8f, -1, 0);
        glTexCoord2f(1, 1), glVertex3f(1.8f, 1, 0);
        glTexCoord2f(0, 1), glVertex3f(-1.8f, 1, 0);
        glEnd();
        GLContext->swapBuffers(FormDC);
    };
    std::vector<double> ours, bare;
    for (int i = 0; i < 300; ++i) {
        ours.push_back(MillisecondsOf([&] { form.DrawSpinFrame(); }));
        bare.push_back(MillisecondsOf(bareFrame));
    }
    std::printf("frame_ms %.3f (bare %.3f, ratio %.2f)\n", Median(ours), Median(bare), Median(ours) / Median(bare));

    // What the window costs with the view set up but paused, for comparison.
    std::printf("idle_cpu_percent_view_paused %.1f\n", idleCpuPercent());

    // The real tick rate of Timer1 over 10 seconds, and the CPU it costs.
    FrameCount = 0;
    const double cpuBefore = CpuSeconds();
    clock.restart();
    form.Timer1->start();
    Wait([&] { return clock.elapsed() >= 10000; }, 11000);
    form.Timer1->stop();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    std::printf("ticks_per_second %.1f (asked for 100)\ncpu_percent_of_one_core %.1f\n", FrameCount / seconds,
                100.0 * (CpuSeconds() - cpuBefore) / seconds);

    // Memory over repeated spins: it must not grow with each one.
    const auto spin = [&](int times) {
        for (int i = 0; i < times; ++i) {
            form.WebBrowser1->show();
            form.BtnRotateClick(form.BtnRotate);
            form.Timer1->stop();
            form.DrawSpinFrame();
            QApplication::processEvents();
        }
        return ResidentKb("VmRSS:");
    };
    const long afterOne = ResidentKb("VmRSS:");
    const long after20 = spin(20);
    const long after40 = spin(20);
    const long after60 = spin(20);
    std::printf("rss_kb after 1 spin %ld, 21 spins %ld, 41 spins %ld, 61 spins %ld; peak %ld\n", afterOne, after20,
                after40, after60, ResidentKb("VmHWM:"));
    form.close();
    return 0;
}

// A screenshot sequence of a whole session: loading, the readiness message,
// the spin button enabled, spinning, paused.
int Screenshots(const QString& folder)
{
    QDir().mkpath(folder);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    TForm1 form;
    Form1 = &form;
    form.show();
    PageServer server;
    int shot = 0;
    const auto save = [&](const char* what) {
        QApplication::processEvents();
        const QString path = QStringLiteral("%1/%2-%3.png").arg(folder).arg(++shot).arg(what);
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);
        std::printf("%s\n", qPrintable(path));
    };
    Wait([&] { return form.windowHandle() && form.windowHandle()->isExposed(); });
    save("started");
    form.EdAddress->setText(server.address());
    QTimer::singleShot(0, [&] { form.SBtnClick(form.SBtn); });
    Wait([&] { return form.Gauge->Percent() > 0; }, 5000);
    save("loading");
    // The message runs its own event loop: answer it from a timer.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answer.stop();
            Wait([] { return false; }, 200);
            save("page-loaded-message");
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(20);
    Wait([&] { return form.BtnRotate->isEnabled(); });
    save("spin-enabled");
    form.BtnRotate->click();
    Wait([] { return false; }, 1200);
    save("spinning");
    form.BtnStop->click();
    Wait([] { return false; }, 300);
    save("paused");
    form.close();
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    browser::InitializeEngine();
    QApplication app(argc, argv);
    InstallTextureSeam();
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == "startup")
        return Startup();
    if (mode == "view")
        return View();
    if (mode == "screenshots" && argc > 2)
        return Screenshots(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: app_bench startup|view|screenshots FOLDER\n");
    return 2;
}
