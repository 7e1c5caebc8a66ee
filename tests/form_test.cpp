// The main window right after start, its layout, docking and error edge.

#include <QTest>

#include <QWebEngineView>

#include "Dialogs.h"
#include "SkinManager.h"
#include "TexturePlatform.h"
#include "UnitMain.h"
#include "support/GuiTestMain.h"
#include "support/MainWindow.h"
#include "support/MessageBoxes.h"

class FormTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        form = ShowMainWindow();
        QVERIFY(form);
        form->activateWindow();
    }

    void cleanup()
    {
        form.reset();
        Form1 = nullptr;
    }

    void stateRightAfterStart()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Раскрутка сайтов"));
        QCOMPARE(form->windowIconText(), QStringLiteral("Раскрутка сайта"));
        QCOMPARE(form->size(), QSize(982, 623));
        QVERIFY(WaitUntil([&] { return QApplication::focusWidget() == form->EdAddress; }, 5000));
        QVERIFY(form->EdAddress->text().startsWith(QStringLiteral("http:\\\\")));
        QVERIFY(form->WebBrowser1->engineView()->url().isEmpty());
        QCOMPARE(form->Gauge->text(), QStringLiteral("0%"));
        QVERIFY(!form->BtnRotate->isEnabled());
        QCOMPARE(form->BtnStop->text(), QStringLiteral("STOP"));
        QVERIFY(form->Timer2->isActive());
        QCOMPARE(form->Timer2->interval(), 50);
        QVERIFY(!form->Timer1->isActive());
        QCOMPARE(form->Timer1->interval(), 10);
        const int top = form->sLabel2->y();
        QVERIFY(WaitUntil([&] { return form->sLabel2->y() < top; }, 2000));  // the about text moves
    }

    void controlsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("parent");
        QTest::newRow("sGroupBox1") << "sGroupBox1" << QRect(0, 462, 982, 161) << "Form1";
        QTest::newRow("SBtn") << "SBtn" << QRect(572, 39, 20, 20) << "sGroupBox1";
        QTest::newRow("Gauge") << "Gauge" << QRect(2, 135, 978, 24) << "sGroupBox1";
        QTest::newRow("EdAddress") << "EdAddress" << QRect(286, 39, 287, 21) << "sGroupBox1";
        QTest::newRow("BtnRotate") << "BtnRotate" << QRect(26, 98, 137, 26) << "sGroupBox1";
        QTest::newRow("BtnStop") << "BtnStop" << QRect(377, 98, 150, 26) << "sGroupBox1";
        QTest::newRow("sGroupBox2") << "sGroupBox2" << QRect(600, 15, 380, 120) << "sGroupBox1";
        QTest::newRow("WebBrowser1") << "WebBrowser1" << QRect(0, 0, 982, 462) << "Form1";
    }

    void controlsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, parent);
        auto* control = form->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->parentWidget()->objectName(), parent);
    }

    void captionsHintsAndGlyph()
    {
        QCOMPARE(form->sGroupBox1->title(), QStringLiteral("Управление"));
        QCOMPARE(form->sGroupBox2->title(), QStringLiteral("О программе"));
        QCOMPARE(form->BtnRotate->text(), QStringLiteral("Раскрутить сайт"));
        QCOMPARE(form->sLabel2->toolTip(), QStringLiteral("Кликните, чтобы остановить"));
        QVERIFY(form->sLabel1->text().startsWith(QStringLiteral("Введите адрес сайта или страницы для раскрутки, \r\nнапример, http:\\\\")));
        QCOMPARE(form->sLabel2->text().split('\n').size(), 14);
        QCOMPARE(form->SBtn->focusPolicy(), Qt::NoFocus);
        const QImage glyph = form->SBtn->icon().pixmap(16, 16).toImage();
        QCOMPARE(qAlpha(glyph.pixel(0, 15)), 0);                 // yellow is transparent
        QCOMPARE(glyph.pixel(1, 7) & 0xFFFFFF, 0x008000u);      // dark green outline
        QCOMPARE(glyph.pixel(5, 7) & 0xFFFFFF, 0x00FF00u);      // bright green body
        QCOMPARE(form->sSkinManager1->SkinName(), QStringLiteral("Calcium (internal)"));
        QCOMPARE(form->BtnStop->property("skinSection").toString(), QStringLiteral("BUTTON"));
        QCOMPARE(form->Gauge->property("skinSection").toString(), QStringLiteral("GAUGE"));
    }

    void maximisingKeepsTheDocking()
    {
        form->showMaximized();  // the test display runs a window manager
        QVERIFY(WaitUntil([&] { return form->width() > 982 && form->height() > 623; }, 5000));
        const int w = form->width(), h = form->height();
        QCOMPARE(form->sGroupBox1->geometry(), QRect(0, h - 161, w, 161));
        QCOMPARE(form->WebBrowser1->geometry(), QRect(0, 0, w, h - 161));
        QCOMPARE(form->sGroupBox2->geometry(), QRect(w - 2 - 380, 15, 380, 120));
        QCOMPARE(form->Gauge->geometry(), QRect(2, 135, w - 4, 24));
    }

    void draggingDoesNotResizeTheNormalWindow()
    {
        form->resize(700, 500);
        QVERIFY(WaitUntil([&] { return form->size() == TForm1::kDesignSize; }, 3000));
    }

    void errorBoxAppendsAFullStopAfterLettersAndDigits()
    {
        const std::pair<QString, QString> cases[] = {
            {"Ошибка", "Ошибка."}, {"code 5", "code 5."}, {"done.", "done."}, {"why?", "why?."}, {"stop!", "stop!"}, {"(x)", "(x)"}};
        for (const auto& [message, shown] : cases)
            QCOMPARE(ErrorBoxText(message), shown);
    }

    void handlerErrorsAreShownAndTheProgramGoesOn()
    {
        MessageBoxAnswerer answerer;
        RunHandler([] { throw std::runtime_error("Сбой"); });
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen[0].text, QStringLiteral("Сбой."));
        QCOMPARE(answerer.seen[0].caption, QStringLiteral("Раскрутка сайта"));
        QCOMPARE(answerer.seen[0].icon, QMessageBox::Critical);
    }

    void textureResourcesComeFromTheExecutable()
    {
        using Textures::LookupStatus;
        const auto brick = Textures::LoadResource("JPEG", "bRICK");  // names match in any letter case
        QCOMPARE(brick.status, LookupStatus::Found);
        QVERIFY(brick.bytes.size() > 100);
        QCOMPARE(Textures::LoadResource("JPEG", "wall").status, LookupStatus::Missing);
        QCOMPARE(Textures::LoadResource("BMP", "brick").status, LookupStatus::Missing);
    }

    void closingEndsEveryHandler()
    {
        form->close();
        QVERIFY(!form->Timer1->isActive());
        QVERIFY(!form->Timer2->isActive());
    }

private:
    std::unique_ptr<TForm1> form;
};

KELVORA_GUI_TEST_MAIN(FormTest)
#include "form_test.moc"
