#pragma once
// The authors' details and addresses, shown by the about dialog and the splash dialog.
#include <QString>

namespace zn {

namespace author {
inline const QString kName = QStringLiteral("Zorpy Nibbo Simulator team");
inline const QString kBirthplace = QStringLiteral("A shared Git repository");
inline const QString kBirthdate = QStringLiteral("Spring 2017");
inline const QString kOccupation = QStringLiteral("Simulator builders");
inline const QString kHobby = QStringLiteral("Collecting LCD handhelds");
inline const QString kWebsiteText = QStringLiteral("zorpy-nibbo.example.org");
inline const QString kWebsiteUrl = QStringLiteral("https://zorpy-nibbo.example.org/");
inline const QString kDonateUrl = QStringLiteral("https://zorpy-nibbo.example.org/donate");
inline const QString kEmail = QStringLiteral("zorpy-nibbo@example.org");
inline const QString kMailtoUrl = QStringLiteral("mailto:zorpy-nibbo@example.org");
inline const QString kReleaseLine =
    QStringLiteral("Released on 4 December 2017 by the Zorpy Nibbo Simulator team");
}  // namespace author

}  // namespace zn
