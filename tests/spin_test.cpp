// The spinning view on Mesa under Xvfb: set-up, frames, the question at the
// 2000th frame, stop and continue, resize and repeated spins.

#include <GL/gl.h>

#include <QDir>
#include <QOpenGLContext>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "FormSurface.h"
#include "UnitMain.h"
#include "support/GuiTestMain.h"
#include "support/MainWindow.h"
#include "support/MessageBoxes.h"
#include "support/TestPages.h"

namespace {

// The rotation about y that the model-view matrix holds, in degrees 0..360.
double CurrentAngle()
{
    GLContext->makeCurrent(FormDC);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const double degrees = std::atan2(double(m[8]), double(m[0])) * 180.0 / M_PI;
    return std::fmod(degrees + 360.0, 360.0);
}

QImage GrabView()
{
    QTest::qWait(30);
    return QGuiApplication::primaryScreen()->grabWindow(FormDC->winId()).toImage();
}

// How much of the view the rectangle covers, and its bounding box.
QRect LitArea(const QImage& image, int* count = nullptr)
{
    QRect box;
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 8) {
                box |= QRect(x, y, 1, 1);
                ++lit;
            }
    if (count)
        *count = lit;
    return box;
}

enum class Hue { Red, Green, Blue, Yellow, Other };

Hue HueOf(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 2 * g && r > 2 * b)
        return Hue::Red;
    if (g > 2 * r && g > 2 * b)
        return Hue::Green;
    if (b > 2 * r && b > 2 * g)
        return Hue::Blue;
    if (r > 2 * b && g > 2 * b)
        return Hue::Yellow;
    return Hue::Other;
}

}  // namespace

class SpinTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        server.setPage("/blocks.html", ColourBlocksPage());
        previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(workDir.path()));
    }

    void cleanupTestCase() { QDir::setCurrent(previousDir); }

    void init()
    {
        answerer = std::make_unique<MessageBoxAnswerer>();
        FrameCount = 0;
        form = ShowMainWindow();
        QVERIFY(form);
    }

    void cleanup()
    {
        form->close();
        form.reset();
        Form1 = nullptr;
        FormDC = nullptr;
        GLContext = nullptr;
        PageTexture = 0;
        answerer.reset();
        QFile::remove(workDir.filePath("1.jpg"));
    }

    void rectangleTurnsFiveDegreesPerTickAndShowsThePageUpright()
    {
        Spin();
        QVERIFY(QFileInfo::exists(workDir.filePath("1.jpg")));  // in the working directory
        QVERIFY(form->WebBrowser1->isHidden());
        QCOMPARE(CurrentAngle(), 0.0);  // the set-up draws nothing itself

        Tick(1);
        QCOMPARE(std::lround(CurrentAngle()), 5);
        Tick(17);  // 90 degrees: edge-on
        int edgeOn = 0;
        LitArea(GrabView(), &edgeOn);
        Tick(54);  // 360 degrees: facing the camera again
        int facing = 0;
        const QImage view = GrabView();
        const QRect box = LitArea(view, &facing);
        QVERIFY2(facing > 20 * edgeOn, qPrintable(QStringLiteral("%1 vs %2").arg(facing).arg(edgeOn)));
        QVERIFY(box.width() > view.width() / 2);

        // Page colours, upright and unmirrored: red top-left, green top-right,
        // blue lower left, yellow lower right.
        const int left = box.left() + box.width() / 4, right = box.right() - box.width() / 4;
        QCOMPARE(HueOf(view.pixel(left, box.top() + 20)), Hue::Red);
        QCOMPARE(HueOf(view.pixel(right, box.top() + 20)), Hue::Green);
        QCOMPARE(HueOf(view.pixel(left, box.bottom() - 5)), Hue::Blue);
        QCOMPARE(HueOf(view.pixel(right, box.bottom() - 5)), Hue::Yellow);
    }

    void questionAtThe2000thFrameAfterItIsDrawn_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }

    void questionAtThe2000thFrameAfterItIsDrawn()
    {
        QFETCH(bool, ok);
        Spin();
        double angleWhenAsked = -1;
        answerer = std::make_unique<MessageBoxAnswerer>(
            [&](const SeenBox& box) { return box.text.startsWith("БУУ") && !ok ? QMessageBox::Cancel : QMessageBox::Ok; });
        answerer->onShown = [&](const SeenBox& box) {
            if (box.text.startsWith("БУУ"))
                angleWhenAsked = CurrentAngle();
        };
        FrameCount = 1998;
        Tick(1);
        QVERIFY(answerer->seen.isEmpty());
        Tick(1);
        QCOMPARE(std::lround(angleWhenAsked), 10);  // both frames drawn before the question
        QCOMPARE(answerer->seen[0].text, QStringLiteral("БУУ-ГА-ГА!! Сайт сделал 60 оборотов. Достаточно крутить?"));
        QCOMPARE(answerer->seen[0].caption, QStringLiteral("Внимание !"));
        QCOMPARE(FrameCount, 0);
        if (ok) {
            QCOMPARE(answerer->seen.size(), 1);
            QVERIFY(!form->Timer1->isActive());
            QCOMPARE(form->BtnStop->text(), QStringLiteral("Продолжить раскрутку"));
            QVERIFY(form->WebBrowser1->isVisible());
            // Frames still drawn now go under the browser, never over it.
            QVERIFY(WaitUntil([] { return !FormDC->isExposed(); }, 2000));
            Tick(3);
            QVERIFY(form->WebBrowser1->isVisible());
        } else {
            QCOMPARE(answerer->seen.size(), 2);
            QCOMPARE(answerer->seen[1].text, QStringLiteral("У сайта может закружиться голова и слететь шапка! :) "));
            QCOMPARE(answerer->seen[1].caption, QStringLiteral("Раскрутка сайта"));
            QVERIFY(form->WebBrowser1->isHidden());
        }
    }

    void framesKeepComingWhileTheQuestionIsOpen()
    {
        Spin();
        answerer->holdPolls = 5;  // about 100 ms with the question open
        form->Timer1->start();
        FrameCount = 1990;
        QVERIFY(WaitUntil([&] { return !answerer->seen.isEmpty() && answerer->seen.back().text.startsWith("БУУ"); }, 10000));
        // The answer reset the count; ticks went on while the box was open.
        QVERIFY(FrameCount < 1990);
        form->Timer1->stop();
    }

    void countRunsOnAcrossPausesAndRepeatedSpins()
    {
        Spin();
        Tick(1500);
        QTest::mouseClick(form->BtnStop, Qt::LeftButton);
        QTest::mouseClick(form->BtnStop, Qt::LeftButton);
        form->Timer1->stop();
        Spin();  // a repeated set-up does not reset the count either
        Tick(499);
        QVERIFY(answerer->seen.isEmpty() || !answerer->seen.back().text.startsWith("БУУ"));
        Tick(1);
        QVERIFY(answerer->seen.back().text.startsWith("БУУ"));
    }

    void stopButtonDecidesByItsCaptionAlone()
    {
        // Before any spin: the timer stays off, then starts with no view.
        QTest::mouseClick(form->BtnStop, Qt::LeftButton);
        QVERIFY(!form->Timer1->isActive());
        QCOMPARE(form->BtnStop->text(), QStringLiteral("Продолжить раскрутку"));
        QTest::mouseClick(form->BtnStop, Qt::LeftButton);
        QVERIFY(form->Timer1->isActive());
        QCOMPARE(form->BtnStop->text(), QStringLiteral("STOP"));
        form->Timer1->stop();
        const int before = FrameCount;
        form->Timer1Timer(form->Timer1);  // no view: counts, draws nothing
        QCOMPARE(FrameCount, before + 1);

        // Paused, then the spin button: spinning with the caption still "continue".
        form->BtnStop->setText(QStringLiteral("Продолжить раскрутку"));
        Spin(false);
        QVERIFY(form->Timer1->isActive());
        QCOMPARE(form->BtnStop->text(), QStringLiteral("Продолжить раскрутку"));
        QTest::mouseClick(form->BtnStop, Qt::LeftButton);
        QVERIFY(form->Timer1->isActive());
        QCOMPARE(form->BtnStop->text(), QStringLiteral("STOP"));
        QTest::mouseClick(form->BtnStop, Qt::LeftButton);
        QVERIFY(!form->Timer1->isActive());

        form->BtnStop->setText(QStringLiteral("stop"));  // only "STOP" exactly counts as running
        form->BtnStopClick(form->BtnStop);
        QVERIFY(form->Timer1->isActive());
        form->Timer1->stop();
    }

    void secondSpinStartsAgainFromZeroAndReleasesTheFirstView()
    {
        Spin();
        Tick(7);
        QPointer<QOpenGLContext> firstContext = GLContext;
        QPointer<FormSurface> firstSurface = FormDC;
        Spin();
        QVERIFY(firstContext.isNull());
        QVERIFY(firstSurface.isNull());
        QCOMPARE(CurrentAngle(), 0.0);
        Tick(1);
        QCOMPARE(std::lround(CurrentAngle()), 5);
    }

    void maximisingKeepsTheAngleAndFollowsTheOuterSize()
    {
        Spin();
        Tick(9);
        form->showMaximized();
        QVERIFY(WaitUntil([&] { return form->width() > 982; }, 5000));
        QTest::qWait(100);
        QCOMPARE(std::lround(CurrentAngle()), 45);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        QCOMPARE(viewport[2], form->frameGeometry().width());
        QCOMPARE(viewport[3], form->frameGeometry().height());
        QCOMPARE(viewport[1], -161);  // the client area's lower-left corner, under the panel
    }

    void unreadableSnapshotGivesAnUntexturedSpin()
    {
        QVERIFY(QDir(workDir.path()).mkdir("1.jpg"));  // neither writable nor readable as a file
        Spin(false);
        QDir(workDir.path()).rmdir("1.jpg");
        QCOMPARE(answerer->seen.back().text, QStringLiteral("Couldn't load JPG - \"1.JPG\""));
        QCOMPARE(answerer->seen.back().caption, QStringLiteral("BMP Unit"));
        QVERIFY(form->Timer1->isActive());
        QCOMPARE(PageTexture, 0u);
        form->Timer1->stop();
        Tick(72);
        const QImage view = GrabView();
        const QRect box = LitArea(view);
        QCOMPARE(HueOf(view.pixel(box.center().x(), box.top() + 20)), Hue::Other);  // lit grey-white
    }

    void readerErrorEndsTheSetUpInTheErrorBox()
    {
        LoadPage();
        form->WebBrowser1->resize(0, 0);  // an empty snapshot: the decoder fails on empty input
        QTest::mouseClick(form->BtnRotate, Qt::LeftButton);
        QVERIFY(WaitUntil([&] { return !answerer->seen.isEmpty() && answerer->seen.back().icon == QMessageBox::Critical; }));
        QCOMPARE(answerer->seen.back().text, QStringLiteral("JPEG error #42."));
        QVERIFY(!form->Timer1->isActive());
    }

private:
    void LoadPage()
    {
        if (form->BtnRotate->isEnabled())
            return;
        form->WebBrowser1->Navigate(server.url("/blocks.html").toString());
        QVERIFY(WaitUntil([&] { return form->BtnRotate->isEnabled(); }));
    }

    // Presses the spin button; by default the test drives the ticks itself.
    void Spin(bool stopTimer = true)
    {
        if (!form->WebBrowser1->isVisible())
            form->WebBrowser1->show();
        LoadPage();
        QTest::mouseClick(form->BtnRotate, Qt::LeftButton);
        QVERIFY(GLContext && FormDC);
        if (stopTimer)
            form->Timer1->stop();
        QTest::qWait(50);
    }

    void Tick(int count)
    {
        for (int i = 0; i < count; ++i)
            form->Timer1Timer(form->Timer1);
    }

    QTemporaryDir workDir;
    QString previousDir;
    PageServer server;
    std::unique_ptr<MessageBoxAnswerer> answerer;
    std::unique_ptr<TForm1> form;
};

KELVORA_GUI_TEST_MAIN(SpinTest)
#include "spin_test.moc"
