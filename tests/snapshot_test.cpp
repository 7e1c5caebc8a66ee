// The page snapshot: the JPEG file's exact form, the picture of a real page,
// and silence on every failure.

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <array>

#include "JpegDecoder.h"
#include "JpegWriter.h"
#include "UnitMain.h"
#include "support/GuiTestMain.h"
#include "support/JpegFixtures.h"
#include "support/MessageBoxes.h"
#include "support/TestPages.h"

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Segment {
    std::uint8_t marker;
    QByteArray payload;
};

// The marker segments before the entropy-coded data.
QList<Segment> HeaderSegments(const QByteArray& jpeg)
{
    QList<Segment> segments;
    int at = 2;  // after SOI
    while (at + 4 <= jpeg.size() && std::uint8_t(jpeg[at]) == 0xFF) {
        const std::uint8_t marker = std::uint8_t(jpeg[at + 1]);
        const int length = (std::uint8_t(jpeg[at + 2]) << 8) | std::uint8_t(jpeg[at + 3]);
        segments.append({marker, jpeg.mid(at + 4, length - 2)});
        if (marker == 0xDA)
            break;  // start of scan
        at += 2 + length;
    }
    return segments;
}

constexpr std::array<int, 64> kStandardLuminance{
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69, 56,
    14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kStandardChrominance{
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99, 99, 99,
    47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
constexpr int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

int ScaledForQuality90(int entry)
{
    return std::clamp((entry * 20 + 50) / 100, 1, 255);
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool Near(const std::uint8_t* rgba, QRgb expected, int tolerance = 12)
{
    return std::abs(rgba[0] - qRed(expected)) <= tolerance && std::abs(rgba[1] - qGreen(expected)) <= tolerance &&
           std::abs(rgba[2] - qBlue(expected)) <= tolerance;
}

// Objects that fail in the ways a browser object can.
class NoViewObject : public browser::BrowserObject {
public:
    browser::ViewObject* QueryViewObject() override { return nullptr; }
};

class FailingView : public browser::BrowserObject, public browser::ViewObject {
public:
    browser::ViewObject* QueryViewObject() override { return this; }
    bool Draw(browser::DrawAspect, int, QPainter&, const QRect&) override { return false; }
};

// Draws two blocks, red on the left and blue on the right, and records the call.
class BlocksView : public browser::BrowserObject, public browser::ViewObject {
public:
    browser::ViewObject* QueryViewObject() override { return this; }
    bool Draw(browser::DrawAspect aspect, int lindex, QPainter& target, const QRect& bounds) override
    {
        seenAspect = aspect, seenLindex = lindex, seenBounds = bounds;
        target.fillRect(bounds.adjusted(0, 0, -bounds.width() / 2, 0), Qt::red);
        target.fillRect(bounds.adjusted(bounds.width() / 2, 0, 0, 0), Qt::blue);
        return true;
    }
    browser::DrawAspect seenAspect{};
    int seenLindex = 0;
    QRect seenBounds;
};

}  // namespace

class SnapshotTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void fileHasExactlyTheSpecifiedForm()
    {
        QImage picture(64, 40, QImage::Format_RGB888);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 4, y * 6, (x * y) & 0xFF));
        std::vector<std::uint8_t> ours;
        QVERIFY(EncodeJpeg(picture.constBits(), picture.width(), picture.height(), std::size_t(picture.bytesPerLine()), ours));
        QVERIFY(ours == ReferenceSnapshotJpeg(picture.constBits(), picture.width(), picture.height(),
                                             std::size_t(picture.bytesPerLine())));

        const QByteArray jpeg(reinterpret_cast<const char*>(ours.data()), qsizetype(ours.size()));
        QCOMPARE(std::uint8_t(jpeg[0]), 0xFF);
        QCOMPARE(std::uint8_t(jpeg[1]), 0xD8);
        const QList<Segment> segments = HeaderSegments(jpeg);
        QVERIFY(!segments.isEmpty());
        QCOMPARE(segments[0].marker, 0xE0);  // APP0 JFIF first
        QCOMPARE(segments[0].payload.left(5), QByteArray("JFIF\0", 5));
        QCOMPARE(std::uint8_t(segments[0].payload[5]), 1);   // version 1.01
        QCOMPARE(std::uint8_t(segments[0].payload[6]), 1);
        QCOMPARE(std::uint8_t(segments[0].payload[7]), 0);   // density unit 0
        QCOMPARE(segments[0].payload.mid(8, 4), QByteArray("\0\1\0\1", 4));  // density 1 x 1
        QList<std::array<int, 64>> tables;
        for (const Segment& s : segments) {
            QVERIFY2(s.marker == 0xE0 ? &s == &segments[0] : true, "a second APP0");
            QVERIFY2(s.marker < 0xE1 || s.marker > 0xEF, "an APPn other than APP0");
            QVERIFY2(s.marker != 0xFE, "a comment");
            QVERIFY2(s.marker != 0xDD, "restart markers");
            QVERIFY2(s.marker != 0xC2 && s.marker != 0xC1, "not baseline");
            if (s.marker == 0xDB) {
                for (int at = 0; at + 65 <= s.payload.size(); at += 65) {
                    QCOMPARE(std::uint8_t(s.payload[at]) >> 4, 0);  // 8-bit entries
                    std::array<int, 64> natural{};
                    for (int i = 0; i < 64; ++i)
                        natural[kZigzag[i]] = std::uint8_t(s.payload[at + 1 + i]);
                    tables.append(natural);
                }
            }
            if (s.marker == 0xC0) {
                QCOMPARE(std::uint8_t(s.payload[5]), 3);
                const std::uint8_t expected[3][2] = {{1, 0x22}, {2, 0x11}, {3, 0x11}};
                for (int c = 0; c < 3; ++c) {
                    QCOMPARE(std::uint8_t(s.payload[6 + c * 3]), expected[c][0]);
                    QCOMPARE(std::uint8_t(s.payload[7 + c * 3]), expected[c][1]);
                }
            }
        }
        QCOMPARE(tables.size(), 2);
        for (int i = 0; i < 64; ++i) {
            QCOMPARE(tables[0][i], ScaledForQuality90(kStandardLuminance[i]));
            QCOMPARE(tables[1][i], ScaledForQuality90(kStandardChrominance[i]));
        }
    }

    void realPageAtTheDesignSize()
    {
        PageServer server;
        server.setPage("/blocks.html", ColourBlocksPage());
        TForm1 form;
        Form1 = &form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        MessageBoxAnswerer answerer;
        form.WebBrowser1->Navigate(server.url("/blocks.html").toString());
        QVERIFY(WaitUntil([&] { return form.BtnRotate->isEnabled(); }));

        const QString path = dir.filePath("page.jpg");
        SaveBrowserSnapshot(form.WebBrowser1->DefaultInterface(), path, 462, 982, 462, 982);
        const QByteArray bytes = ReadAll(path);
        const auto decoded = Textures::DecodeJpeg({reinterpret_cast<const std::uint8_t*>(bytes.data()), std::size_t(bytes.size())});
        QCOMPARE(decoded.outcome, Textures::JpegOutcome::Decoded);
        QCOMPARE(decoded.image.width, 982);
        QCOMPARE(decoded.image.height, 462);
        // Rows come bottom-up: row 0 is the picture's bottom.
        const auto at = [&](int x, int yFromTop) {
            return &decoded.image.pixels[(std::size_t(461 - yFromTop) * 982 + std::size_t(x)) * 4];
        };
        QVERIFY(Near(at(245, 115), qRgb(255, 0, 0)));
        QVERIFY(Near(at(736, 115), qRgb(0, 255, 0)));
        QVERIFY(Near(at(245, 346), qRgb(0, 0, 255)));
        QVERIFY(Near(at(736, 346), qRgb(255, 255, 0)));
        Form1 = nullptr;
    }

    void drawIsAskedForTheContentAtTheCaptureBounds()
    {
        BlocksView view;
        SaveBrowserSnapshot(&view, dir.filePath("blocks.jpg"), 30, 40, 30, 40);
        QCOMPARE(view.seenAspect, browser::DrawAspect::Content);
        QCOMPARE(view.seenLindex, 1);
        QCOMPARE(view.seenBounds, QRect(0, 0, 40, 30));
    }

    void failuresLeaveTheFileAndShowNothing()
    {
        MessageBoxAnswerer answerer;
        const QString path = dir.filePath("1.jpg");
        WriteFile(path, "earlier snapshot");
        NoViewObject noView;
        FailingView failing;
        SaveBrowserSnapshot(nullptr, path, 10, 10, 10, 10);
        SaveBrowserSnapshot(&noView, path, 10, 10, 10, 10);
        SaveBrowserSnapshot(&failing, path, 10, 10, 10, 10);
        SaveBrowserSnapshot(&failing, dir.filePath("no/such/dir/1.jpg"), 10, 10, 10, 10);
        QCOMPARE(ReadAll(path), QByteArray("earlier snapshot"));
        QTest::qWait(100);
        QVERIFY(answerer.seen.isEmpty());

        BlocksView view;  // and a file that cannot be created: silent too
        SaveBrowserSnapshot(&view, dir.filePath("no/such/dir/1.jpg"), 10, 10, 10, 10);
        QVERIFY(answerer.seen.isEmpty());
    }

    void secondSnapshotOverwritesAndOtherSizesScale()
    {
        BlocksView view;
        const QString path = dir.filePath("1.jpg");
        SaveBrowserSnapshot(&view, path, 64, 64, 64, 64);
        const QByteArray first = ReadAll(path);
        SaveBrowserSnapshot(&view, path, 64, 64, 16, 128);
        const QByteArray second = ReadAll(path);
        QVERIFY(first != second);
        const auto decoded = Textures::DecodeJpeg({reinterpret_cast<const std::uint8_t*>(second.data()), std::size_t(second.size())});
        QCOMPARE(decoded.image.width, 128);
        QCOMPARE(decoded.image.height, 16);
        QVERIFY(Near(&decoded.image.pixels[(8 * 128 + 20) * 4], qRgb(255, 0, 0)));
        QVERIFY(Near(&decoded.image.pixels[(8 * 128 + 108) * 4], qRgb(0, 0, 255)));
    }

    void zeroSizeGivesAnEmptyFile()
    {
        BlocksView view;
        const QString path = dir.filePath("1.jpg");
        WriteFile(path, "old");
        SaveBrowserSnapshot(&view, path, 10, 10, 0, 10);
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
    }

private:
    QTemporaryDir dir;
};

KELVORA_GUI_TEST_MAIN(SnapshotTest)
#include "snapshot_test.moc"
