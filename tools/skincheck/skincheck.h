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

}  // namespace zn::skincheck
