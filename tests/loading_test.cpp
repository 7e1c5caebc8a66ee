// Page loading, readiness and the about ticker, on the real window and engine.

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include "UnitMain.h"
#include "support/GuiTestMain.h"
#include "support/MainWindow.h"
#include "support/MessageBoxes.h"
#include "support/TestPages.h"

class LoadingTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        form = ShowMainWindow();
        QVERIFY(form);
        server.setPage("/a.html", PlainPage("#ff0000"));
        server.setPage("/b.html", PlainPage("#00ff00"));
        server.setPage("/frames.html", FramesPage("/a.html", "/b.html"));
        server.setPage("/second.html", PlainPage("#0000ff"));
    }

    void cleanup()
    {
        form.reset();
        Form1 = nullptr;
    }

    void emptyAddressIsRefusedByEnterAndByTheGoButton()
    {
        MessageBoxAnswerer answerer;
        QSignalSpy progress(form->WebBrowser1, &browser::WebBrowser::ProgressChange);
        form->EdAddress->clear();
        QTest::keyClick(form->EdAddress, Qt::Key_Return);
        QTest::mouseClick(form->SBtn, Qt::LeftButton);
        // Holding Enter down: every auto-repeated press asks again.
        QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(form->EdAddress, &repeated);
        QCOMPARE(answerer.seen.size(), 3);
        for (const SeenBox& box : answerer.seen) {
            QCOMPARE(box.text, QStringLiteral("Введите существующий адрес сайта!"));
            QCOMPARE(box.caption, QStringLiteral("Раскрутка сайта"));
            QCOMPARE(box.icon, QMessageBox::NoIcon);
        }
        QTest::qWait(200);
        QCOMPARE(progress.count(), 0);
    }

    void otherKeysAreLeftToTheEditBox()
    {
        form->EdAddress->clear();
        QTest::keyClicks(form->EdAddress, "ab");
        QCOMPARE(form->EdAddress->text(), QStringLiteral("ab"));
    }

    // Shift+Enter on a page with frames: one message per top-level completion,
    // the spin button enabled only after it is dismissed; a second page shows it again.
    void framesPageAnnouncesOnceAndSecondPageAgain()
    {
        MessageBoxAnswerer answerer;
        answerer.holdPolls = 10;
        bool enabledWhileOpen = true;
        answerer.onShown = [&](const SeenBox&) { enabledWhileOpen = form->BtnRotate->isEnabled(); };

        form->EdAddress->setText(server.typedAddress("/frames.html"));
        QTest::keyClick(form->EdAddress, Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(WaitUntil([&] { return form->BtnRotate->isEnabled(); }));
        QTest::qWait(400);
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen[0].text, QStringLiteral("Страница загружена. Можно раскручивать!!!"));
        QVERIFY(!enabledWhileOpen);

        form->EdAddress->setText(server.url("/second.html").toString());
        QTest::mouseClick(form->SBtn, Qt::LeftButton);
        QVERIFY(WaitUntil([&] { return answerer.seen.size() == 2; }));
        QVERIFY(form->BtnRotate->isEnabled());
    }

    void aFailedLoadStillCompletes()
    {
        MessageBoxAnswerer answerer;
        form->EdAddress->setText(QStringLiteral("http://127.0.0.1:9/nothing-listens-here"));
        QTest::keyClick(form->EdAddress, Qt::Key_Enter);
        QVERIFY(WaitUntil([&] { return form->BtnRotate->isEnabled(); }));
        QCOMPARE(answerer.seen.size(), 1);
    }

    void navigateFailureGoesToTheErrorBox()
    {
        MessageBoxAnswerer answerer;
        form->EdAddress->setText(QStringLiteral("ht tp://x"));
        QTest::keyClick(form->EdAddress, Qt::Key_Return);
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen[0].icon, QMessageBox::Critical);
        QVERIFY(answerer.seen[0].text.endsWith('.'));
        QCOMPARE(form->Gauge->text(), QStringLiteral("0%"));
    }

    void gaugeFollowsProgress_data()
    {
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("shown");
        QTest::newRow("finished") << -1 << 100 << "0%";
        QTest::newRow("maximum 0") << 50 << 0 << "0%";
        QTest::newRow("beyond the maximum") << 150 << 100 << "100%";
        QTest::newRow("rounded down") << 33 << 200 << "16%";
        QTest::newRow("half") << 50 << 100 << "50%";
    }

    void gaugeFollowsProgress()
    {
        QFETCH(int, progress);
        QFETCH(int, maximum);
        QFETCH(QString, shown);
        form->WebBrowser1ProgressChange(form->WebBrowser1, progress, maximum);
        QCOMPARE(form->Gauge->text(), shown);
    }

    void gaugeRefusesANegativeMaximumWithoutChange()
    {
        form->WebBrowser1ProgressChange(form->WebBrowser1, 30, 60);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, form->WebBrowser1ProgressChange(form->WebBrowser1, 10, -5));
        QCOMPARE(form->Gauge->MaxValue(), 60);
        QCOMPARE(form->Gauge->Progress(), 30);
        // A lower maximum pulls the position down.
        form->Gauge->SetMaxValue(20);
        QCOMPARE(form->Gauge->Progress(), 20);
    }

    void tickerMovesWrapsAndRestarts()
    {
        form->Timer2->stop();
        QVERIFY(form->sLabel2->y() <= 101);  // it has been moving since the window was made
        form->sLabel2->move(form->sLabel2->x(), 101);
        form->Timer2Timer(form->Timer2);
        QCOMPARE(form->sLabel2->y(), 100);
        form->Timer2Timer(form->Timer2);
        QCOMPARE(form->sLabel2->y(), 99);
        for (int tick = 3; tick <= 360; ++tick)
            form->Timer2Timer(form->Timer2);
        QCOMPARE(form->sLabel2->y(), -259);
        form->Timer2Timer(form->Timer2);  // the 361st
        QCOMPARE(form->sLabel2->y(), 120);
        for (int tick = 0; tick < 380; ++tick)
            form->Timer2Timer(form->Timer2);
        QCOMPARE(form->sLabel2->y(), 120);
    }

    void clickPausesAndResumesWhereItWas()
    {
        QTest::mouseClick(form->sLabel2, Qt::LeftButton, {}, QPoint(20, 5));
        QVERIFY(!form->Timer2->isActive());
        QCOMPARE(form->sLabel2->toolTip(), QStringLiteral("Кликните, чтобы продолжить крутить сайт"));
        const int top = form->sLabel2->y();
        QTest::qWait(200);
        QCOMPARE(form->sLabel2->y(), top);
        QTest::mouseClick(form->sLabel2, Qt::LeftButton, {}, QPoint(20, 5));
        QVERIFY(form->Timer2->isActive());
        QCOMPARE(form->sLabel2->toolTip(), QStringLiteral("Кликните, чтобы остановить"));
        QVERIFY(WaitUntil([&] { return form->sLabel2->y() == top - 1; }, 2000));
    }

private:
    PageServer server;
    std::unique_ptr<TForm1> form;
};

KELVORA_GUI_TEST_MAIN(LoadingTest)
#include "loading_test.moc"
