#pragma once
// The skin checker: reads a skin's Config.ini with the simulator's own reader and value
// rules and lists what would go wrong when the simulator shows it.
#include <QString>
#include <QStringList>

namespace zn::skincheck {

// Every problem of the skin whose Config.ini is at iniPath, one line each, empty for a clean
// skin. Relative SkinDir and BackdropDir folders are resolved against the folder of iniPath,
// so a skin can be checked from any working directory. Needs a QCoreApplication (picture
// decoders are plug-ins).
QStringList checkSkin(const QString& iniPath);

// The slot whose section Image<slot> configures the named image; 0 when no image of that name
// is in a slot.
int slotNamed(const QString& name);

// "LEFT TOP WIDTH HEIGHT" of the named image (im_background_screen, btn_power_top, ...) as the
// simulator lays it out in a window from the Config.ini at iniPath. An empty text, and error
// set, when no image of that name is in a slot or the file gives no skin.
QString imageRect(const QString& iniPath, const QString& name, QString& error);

// The file of the named image's picture, as the simulator opens it (folders relative to the
// folder of iniPath). An empty text, and error set, when the image is in no slot, is given no
// picture or the file gives no skin.
QString picturePath(const QString& iniPath, const QString& name, QString& error);

}  // namespace zn::skincheck
