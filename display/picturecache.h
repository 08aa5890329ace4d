#pragma once
// Skin pictures on the desktop: decoding by file name, the placeholder's picture, and the cache
// that looks at and decodes each file once per reading of a skin and reports what it found to
// the toolkit-free set-up (skin/skinplan.h).
#include <QImage>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "skin/skinplan.h"

namespace zn::gfx {

// Pictures are refused before decoding when bigger than skin::kMaxExtent on a side or than
// this in all.
constexpr long long kMaxPicturePixels = 1ll << 25;  // 128 MiB as 32-bit pixels; an 8K backdrop fits

// skin::placeholderPixel as a picture.
QImage placeholderPicture();

// skin::hiResPartnerPath for a path of the file system.
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
        QImage image;   // null unless Loaded
        QString error;  // Undecodable: loadPicture's text
    };

    // The picture at path, looked at and decoded the first time it is asked for.
    const Picture& picture(const std::string& path);

    // Decodes the distinct files among paths that have not been looked at yet, side by side on
    // up to four threads.
    void prefetch(const std::vector<std::string>& paths);

    // What the set-up or the checker asked about files: each one decoded (the slots' pictures
    // first, side by side) or, where only its presence is asked, looked for.
    skin::PictureFactTable lookAt(const std::vector<skin::PictureFile>& files);

private:
    static Picture examine(const QString& path);

    std::map<std::string, Picture> pictures_;
};

}  // namespace zn::gfx
