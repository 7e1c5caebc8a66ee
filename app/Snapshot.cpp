// The page snapshot: the browser draws itself into an image, which is written
// as a JPEG. Every failure is silent.

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <cerrno>
#include <memory>

#include "JpegWriter.h"
#include "UnitMain.h"

namespace {

// The file is created (or truncated) first and then written in one write.
class SnapshotFile {
public:
    explicit SnapshotFile(const QString& fileName)
        : fd_(::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644))
    {
    }
    ~SnapshotFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    SnapshotFile(const SnapshotFile&) = delete;
    SnapshotFile& operator=(const SnapshotFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    bool write(const std::vector<std::uint8_t>& bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += std::size_t(n);
        }
        return true;
    }

private:
    int fd_;
};

// Takes a copy of the bitmap; when saved, creates the file first, then
// converts to 24 bits, encodes and writes.
class JpegImage {
public:
    void Assign(const QImage& bitmap) { bitmap_ = bitmap; }

    bool SaveToFile(const QString& fileName) const
    {
        SnapshotFile file(fileName);
        if (!file.isOpen())
            return false;
        if (bitmap_.isNull())
            return true;  // nothing to encode: the file stays empty
        const QImage rgb = bitmap_.convertToFormat(QImage::Format_RGB888);
        std::vector<std::uint8_t> jpeg;
        return EncodeJpeg(rgb.constBits(), rgb.width(), rgb.height(), std::size_t(rgb.bytesPerLine()), jpeg) &&
               file.write(jpeg);
    }

private:
    QImage bitmap_;
};

QImage WhiteBitmap(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

void SaveBrowserSnapshot(browser::BrowserObject* browser, const QString& fileName, int sourceHeight,
                         int sourceWidth, int outputHeight, int outputWidth)
{
    QImage capture;
    QImage output;
    auto jpeg = std::make_unique<JpegImage>();
    try {
        capture = WhiteBitmap(sourceWidth, sourceHeight);
        browser::ViewObject* view = browser ? browser->QueryViewObject() : nullptr;
        if (!view)
            return;
        if (!capture.isNull()) {
            QPainter painter(&capture);
            if (!view->Draw(browser::DrawAspect::Content, 1, painter, QRect(0, 0, sourceWidth, sourceHeight)))
                return;
        }
        // Rows and columns dropped or repeated, never blended.
        if (outputWidth > 0 && outputHeight > 0 && !capture.isNull())
            output = capture.scaled(outputWidth, outputHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        jpeg->Assign(output);
        jpeg->SaveToFile(fileName);
    } catch (...) {
        // The snapshot never reports a failure.
    }
}
