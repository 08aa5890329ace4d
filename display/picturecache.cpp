#include "display/picturecache.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <atomic>
#include <thread>

#include "skin/skinini.h"

namespace zn::gfx {

QImage placeholderPicture() {
    QImage image(skin::kPlaceholderSize, skin::kPlaceholderSize, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, skin::placeholderPixel(x, y));
    return image;
}

QString hiResPartnerPath(const QString& path) {
    return QString::fromStdString(skin::hiResPartnerPath(path.toStdString()));
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

PictureCache::Picture PictureCache::examine(const QString& path) {
    Picture p;
    const QFileInfo info(path);
    if (!info.exists()) {
        p.state = Picture::State::Missing;
    } else if (!info.isFile()) {
        p.state = Picture::State::NotAFile;
    } else {
        p.image = loadPicture(path, p.error);
        p.state = p.image.isNull() ? Picture::State::Undecodable : Picture::State::Loaded;
    }
    return p;
}

const PictureCache::Picture& PictureCache::picture(const std::string& path) {
    auto known = pictures_.find(path);
    if (known == pictures_.end())
        known = pictures_.emplace(path, examine(QString::fromStdString(path))).first;
    return known->second;
}

void PictureCache::prefetch(const std::vector<std::string>& wanted) {
    std::vector<std::string> paths;
    for (const std::string& path : wanted)
        if (!pictures_.count(path) && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    std::vector<Picture> decoded(paths.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next++) < paths.size();)
            decoded[i] = examine(QString::fromStdString(paths[i]));
    };
    const std::size_t threads =
        std::min<std::size_t>({4, std::max(1u, std::thread::hardware_concurrency()), (paths.size() + 7) / 8});
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();
    for (std::size_t i = 0; i < paths.size(); ++i) pictures_.emplace(paths[i], std::move(decoded[i]));
}

skin::PictureFactTable PictureCache::lookAt(const std::vector<skin::PictureFile>& files) {
    using State = skin::PictureFacts::State;
    // The slots' pictures side by side; the backdrop and the logo one by one after them:
    // decoded beside the others, the large backdrop left the heap 2.5 MB larger for good.
    std::vector<std::string> slots;
    for (const skin::PictureFile& f : files)
        if (f.decode && std::ranges::any_of(f.images, [](int i) { return slotOf(img::at(i)) != 0; }))
            slots.push_back(f.path);
    prefetch(slots);
    skin::PictureFactTable facts;
    for (const skin::PictureFile& f : files) {
        skin::PictureFacts& out = facts[f.path];
        if (!f.decode) {
            const QFileInfo info(QString::fromStdString(f.path));
            out.state = info.isFile() ? State::Present : info.exists() ? State::NotAFile : State::Missing;
            continue;
        }
        const Picture& p = picture(f.path);
        switch (p.state) {
            case Picture::State::Loaded:
                out = {State::Decoded, p.image.width(), p.image.height(), {}};
                break;
            case Picture::State::Missing:
                out.state = State::Missing;
                break;
            case Picture::State::NotAFile:
                out.state = State::NotAFile;
                break;
            case Picture::State::Undecodable:
                out = {State::Undecodable, 0, 0, p.error.toStdString()};
                break;
        }
    }
    return facts;
}

}  // namespace zn::gfx
