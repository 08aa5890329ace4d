#pragma once
// Skin pictures: decoding by file name, the placeholder for a picture that is missing, and
// the cache that looks at and decodes each file once per reading of a skin.
#include <QImage>
#include <QString>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zn::gfx {

// Pictures are refused before decoding when bigger than skin::kMaxExtent on a side or than
// this in all.
constexpr long long kMaxPicturePixels = 1ll << 25;  // 128 MiB as 32-bit pixels; an 8K backdrop fits

// Given to a slot whose picture file is missing or cannot be decoded: 10 x 10, a one-pixel black
// ring around pure red.
QImage placeholderPicture();

// The file a skin may place beside a picture with the same content at twice its width and
// height, for drawing at sizes above 100 %: "Skin/body.png" -> "Skin/body@2x.png". The suffix
// goes before the last extension of the file name; a name without an extension gets it at the
// end.
QString hiResPartnerPath(const QString& path);

// Decodes a picture chosen by its file name's extension (png; jpg, jpeg; bmp; ico), one pixel of
// the picture to one pixel of the skin whatever the name (also "x@2x.png"). On failure
// returns a null image and sets error to a text naming the problem.
QImage loadPicture(const QString& path, QString& error);

// A skin gives the same picture to dozens of figures: each file is looked at and decoded once.
class PictureCache {
public:
    struct Picture {
        enum class State { Loaded, Missing, NotAFile, Undecodable };
        State state = State::Missing;
        QString path;
        QImage image;       // null unless Loaded
        QString error;      // Undecodable: loadPicture's text
        QString hiResPath;  // Loaded: hiResPartnerPath(path) when that file exists, else empty
    };
    struct Lookup {
        const Picture& picture;
        bool first;  // the first look at this file: report its problem now, and only now
    };

    // Relative picture folders are taken from relativeTo; empty, from the working directory (as
    // the simulator does).
    explicit PictureCache(QString relativeTo = {});

    // The picture at folder (from skin::folderPath) + fileName.
    Lookup look(const std::string& folder, const std::string& fileName);

    // Decodes the distinct files among (folder, fileName) pairs that have not been looked at
    // yet, side by side on up to four threads. A later look() finds them decoded and still
    // counts as the first look.
    void prefetch(const std::vector<std::pair<std::string, std::string>>& files);

private:
    struct Entry {
        Picture picture;
        bool looked = false;
    };
    QString pathOf(const std::string& folder, const std::string& fileName) const;
    static Picture examine(const QString& path);

    QString relativeTo_;
    std::map<QString, Entry> pictures_;
};

}  // namespace zn::gfx
