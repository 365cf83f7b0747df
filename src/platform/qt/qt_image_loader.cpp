#include "platform/qt/qt_image_loader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "core/render/picture_format.h"
#include "platform/qt/qt_surface.h"

namespace tv {

namespace {

bool allowedFormat(const QByteArray& format) {
    return format == "png" || format == "jpeg" || format == "jpg" || format == "bmp" ||
           format == "gif";
}

// Decoded as 32-bit pixels: refuse what would not fit the limit.
bool tooLarge(const QSize& size) {
    const qint64 bytes = qint64{size.width()} * size.height() * 4;
    return bytes > qint64{kImageAllocationLimitMiB} * 1024 * 1024;
}

ImageLoadResult open(const std::string& path, QImageReader& reader, ImageInfo& info) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return ImageLoadResult::kMissing;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return ImageLoadResult::kMissing;
    const QByteArray head = in.read(kPictureSignatureBytes);
    in.close();
    const std::string_view format =
        pictureFormatOf(std::string_view(head.constData(), static_cast<size_t>(head.size())));
    if (format.empty()) return ImageLoadResult::kDamaged;
    // The file's own signature names the format, whatever its name says; the reader uses that
    // one handler and does not go asking every plugin.
    reader.setFileName(file);
    reader.setFormat(QByteArray(format.data(), static_cast<qsizetype>(format.size())));
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(kImageAllocationLimitMiB);
    // The size comes from the header alone, so a huge claim is refused before anything else.
    const QSize size = reader.size();
    if (size.isValid() && tooLarge(size)) return ImageLoadResult::kTooLarge;
    if (!reader.canRead() || !allowedFormat(reader.format())) return ImageLoadResult::kDamaged;
    if (!size.isValid() || size.isEmpty()) return ImageLoadResult::kDamaged;
    info.width = size.width();
    info.height = size.height();
    return ImageLoadResult::kOk;
}

}  // namespace

ImageLoadResult QtImageLoader::probe(const std::string& path, ImageInfo& info) const {
    QImageReader reader;
    return open(path, reader, info);
}

QImage QtImageLoader::read(const std::string& path, ImageLoadResult& result,
                           QByteArray* format) const {
    QImageReader reader;
    ImageInfo info;
    result = open(path, reader, info);
    if (result != ImageLoadResult::kOk) return {};
    // Asked before reading: the reader forgets what it read once it is done.
    if (format != nullptr) *format = reader.format();
    QImage image = reader.read();
    if (image.isNull()) {
        result = ImageLoadResult::kDamaged;
        return {};
    }
    return image;
}

std::unique_ptr<Surface> QtImageLoader::load(const std::string& path,
                                             ImageLoadResult& result) const {
    QImage image = read(path, result);
    if (image.isNull()) return nullptr;
    return std::make_unique<QtSurface>(std::move(image));
}

}  // namespace tv
