#include "display/picturecache.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <thread>

#include "display/skinfile.h"
#include "skin/skinini.h"

namespace zn::gfx {

QImage placeholderPicture() {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.fillRect(1, 1, 8, 8, QColor(255, 0, 0));
    return image;
}

QString hiResPartnerPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1) return path + QLatin1String("@2x");  // no extension (or a dot file)
    return path.left(dot) + QLatin1String("@2x") + path.mid(dot);
}

QImage loadPicture(const QString& path, QString& error) {
    const QString ext = QString::fromStdString(skin::extensionOf(path.toStdString()));
    QByteArray format;
    if (ext == QLatin1String("png"))
        format = "png";
    else if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        format = "jpeg";
    else if (ext == QLatin1String("bmp"))
        format = "bmp";
    else if (ext == QLatin1String("ico"))
        format = "ico";
    else {
        error = QStringLiteral("Unknown picture file extension (.%1) of '%2'").arg(ext, path);
        return {};
    }
    if (!QImageReader::supportedImageFormats().contains(format)) {
        error = QStringLiteral("No decoder for .%1 pictures is installed ('%2')").arg(ext, path);
        return {};
    }

    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();  // from the header, before anything is decoded
    if (size.isValid() && (size.width() > skin::kMaxExtent || size.height() > skin::kMaxExtent ||
                           static_cast<long long>(size.width()) * size.height() > kMaxPicturePixels)) {
        error =
            QStringLiteral("Picture '%1' is too large (%2 x %3 pixels; at most %4 on a side and %5 pixels)")
                .arg(path)
                .arg(size.width())
                .arg(size.height())
                .arg(skin::kMaxExtent)
                .arg(kMaxPicturePixels);
        return {};
    }
    QImage image = reader.read();
    if (image.isNull())
        error = QStringLiteral("Picture '%1' cannot be decoded: %2").arg(path, reader.errorString());
    // The reader takes a name ending in "@2x" for a high-dpi picture; to a skin every picture
    // is pixels, drawn one for one, whatever its name.
    image.setDevicePixelRatio(1.0);
    return image;
}

PictureCache::PictureCache(QString relativeTo) : relativeTo_(std::move(relativeTo)) {}

QString PictureCache::pathOf(const std::string& folder, const std::string& fileName) const {
    std::string dir = folder;
    if (!relativeTo_.isEmpty() && !dir.empty() && !QDir::isAbsolutePath(QString::fromStdString(dir)))
        dir = (relativeTo_ + QLatin1Char('/')).toStdString() + dir;
    return QString::fromStdString(skin::picturePath(dir, fileName));
}

PictureCache::Picture PictureCache::examine(const QString& path) {
    Picture p;
    p.path = path;
    const QFileInfo info(path);
    if (!info.exists()) {
        p.state = Picture::State::Missing;
    } else if (!info.isFile()) {
        p.state = Picture::State::NotAFile;
    } else {
        p.image = loadPicture(path, p.error);
        p.state = p.image.isNull() ? Picture::State::Undecodable : Picture::State::Loaded;
        // Only looked at here; decoded by the window when it first draws above 100 %.
        if (p.state == Picture::State::Loaded) {
            const QString partner = hiResPartnerPath(path);
            if (QFileInfo(partner).isFile()) p.hiResPath = partner;
        }
    }
    return p;
}

PictureCache::Lookup PictureCache::look(const std::string& folder, const std::string& fileName) {
    const QString path = pathOf(folder, fileName);
    auto known = pictures_.find(path);
    if (known == pictures_.end()) known = pictures_.emplace(path, Entry{examine(path)}).first;
    const bool first = !known->second.looked;
    known->second.looked = true;
    return {known->second.picture, first};
}

void PictureCache::prefetch(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<QString> paths;
    for (const auto& [folder, fileName] : files) {
        const QString path = pathOf(folder, fileName);
        if (!pictures_.count(path) && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    }
    std::vector<Picture> decoded(paths.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next++) < paths.size();) decoded[i] = examine(paths[i]);
    };
    const std::size_t threads =
        std::min<std::size_t>({4, std::max(1u, std::thread::hardware_concurrency()), (paths.size() + 7) / 8});
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();
    for (std::size_t i = 0; i < paths.size(); ++i) pictures_.emplace(paths[i], Entry{std::move(decoded[i])});
}

}  // namespace zn::gfx
