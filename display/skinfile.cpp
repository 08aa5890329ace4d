#include "display/skinfile.h"

#include <QFile>
#include <QFileInfo>
#include <string_view>

namespace zn::skin {
namespace {

SkinFile failure(FileError::Kind kind, long long size = 0, const QString& detail = {}) {
    SkinFile out;
    out.error = FileError{kind, size, detail};
    return out;
}

}  // namespace

SkinFile readSkinFile(const QString& path) {
    using K = FileError::Kind;
    const QFileInfo info(path);
    if (!info.exists()) return failure(K::Missing);
    if (!info.isFile()) return failure(K::NotAFile);
    if (info.size() > static_cast<qint64>(kMaxIniBytes)) return failure(K::TooLarge, info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failure(K::Unreadable, 0, file.errorString());
    // One byte more than the limit, so that a file grown since its size was taken is refused too.
    const QByteArray data = file.read(static_cast<qint64>(kMaxIniBytes) + 1);
    SkinText text = readSkinText(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    if (!text.error.empty()) return failure(K::Unparsable, 0, QString::fromStdString(text.error));
    SkinFile out;
    out.skin = std::move(text.skin);
    return out;
}

}  // namespace zn::skin
