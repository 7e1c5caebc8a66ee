// The browser host over the real engine, with pages served from loopback.

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "support/TestPages.h"
#include "support/GuiTestMain.h"
#include "support/MessageBoxes.h"

using browser::BrowserObject;

namespace {

struct Completion {
    BrowserObject* object;
    QString url;
};

bool Near(QRgb pixel, QRgb expected, int tolerance = 8)
{
    return std::abs(qRed(pixel) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(expected)) <= tolerance;
}

}  // namespace

class BrowserTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        control = std::make_unique<browser::WebBrowser>();
        control->resize(640, 400);
        control->show();
        QVERIFY(QTest::qWaitForWindowExposed(control.get()));
        connect(control.get(), &browser::WebBrowser::DocumentComplete, this,
                [this](BrowserObject* object, const QVariant& url) { completions.push_back({object, url.toString()}); });
        connect(control.get(), &browser::WebBrowser::ProgressChange, this,
                [this](int progress, int progressMax) { progress_.push_back({progress, progressMax}); });
    }

    void cleanup()
    {
        control.reset();
        completions.clear();
        progress_.clear();
    }

    void topLevelAndFrameCompletions()
    {
        server.setPage("/a.html", PlainPage("#ff0000"));
        server.setPage("/b.html", PlainPage("#00ff00"));
        server.setPage("/frames.html", FramesPage("/a.html", "/b.html"));
        control->Navigate(server.url("/frames.html").toString());
        QVERIFY(WaitUntil([&] { return topLevelCount() == 1; }));
        QTest::qWait(300);  // nothing further may arrive

        QCOMPARE(topLevelCount(), 1);
        QList<BrowserObject*> frameObjects;
        for (const Completion& c : completions)
            if (c.object != control->DefaultInterface())
                frameObjects.append(c.object);
        QCOMPARE(frameObjects.size(), 2);
        QVERIFY(frameObjects[0] != frameObjects[1]);
        QVERIFY(frameObjects[0] != nullptr && frameObjects[1] != nullptr);
        QVERIFY(completions.back().url.endsWith("/frames.html"));

        QVERIFY(!progress_.isEmpty());
        QCOMPARE(progress_.back(), qMakePair(-1, 100));
        for (const auto& [progress, maximum] : progress_)
            QVERIFY(progress >= -1 && progress <= maximum);
    }

    void defaultInterfaceIsStable()
    {
        BrowserObject* first = control->DefaultInterface();
        QCOMPARE(control->DefaultInterface(), first);
        QVERIFY(first->QueryViewObject() != nullptr);
    }

    void backslashAddressLoadsLikeSlashes()
    {
        server.setPage("/plain.html", PlainPage("#ffffff"));
        control->Navigate(server.typedAddress("/plain.html"));
        QVERIFY(WaitUntil([&] { return topLevelCount() == 1; }));
        QCOMPARE(completions.back().url, server.url("/plain.html").toString());
    }

    void invalidAddressIsRefusedWithDescription()
    {
        QVERIFY_THROWS_EXCEPTION(browser::BrowserError, control->Navigate("ht tp://x"));
    }

    void viewObjectDrawsTheShownPage()
    {
        server.setPage("/blocks.html", ColourBlocksPage());
        control->Navigate(server.url("/blocks.html").toString());
        QVERIFY(WaitUntil([&] { return topLevelCount() == 1; }));

        QImage image(320, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QVERIFY(control->DefaultInterface()->QueryViewObject()->Draw(browser::DrawAspect::Content, 1, painter,
                                                                     image.rect()));
        painter.end();
        QVERIFY(Near(image.pixel(80, 50), qRgb(255, 0, 0)));
        QVERIFY(Near(image.pixel(240, 50), qRgb(0, 255, 0)));
        QVERIFY(Near(image.pixel(80, 150), qRgb(0, 0, 255)));
        QVERIFY(Near(image.pixel(240, 150), qRgb(255, 255, 0)));
    }

    void hidingAndShowingDoesNotReload()
    {
        server.setPage("/plain.html", PlainPage("#ffffff"));
        control->Navigate(server.url("/plain.html").toString());
        QVERIFY(WaitUntil([&] { return topLevelCount() == 1; }));
        progress_.clear();
        control->hide();
        control->show();
        QTest::qWait(300);
        QCOMPARE(topLevelCount(), 1);
        QVERIFY(progress_.isEmpty());
    }

private:
    int topLevelCount() const
    {
        return int(std::count_if(completions.begin(), completions.end(),
                                 [&](const Completion& c) { return c.object == control->DefaultInterface(); }));
    }

    PageServer server;
    std::unique_ptr<browser::WebBrowser> control;
    QList<Completion> completions;
    QList<QPair<int, int>> progress_;
};

KELVORA_GUI_TEST_MAIN(BrowserTest)
#include "browser_test.moc"
