#pragma once
// TAboutForm, the about dialog: a portrait and the authors' details in seven labelled
// rows, with a web link and an e-mail link. Not modal and always in front; Escape, the
// close button or either link hides it, and it can be shown again any number of times.
// The authors' details and the dialogs' artwork live here too, since the splash dialog
// shows the same links and pictures of the same folder.
#include <QString>
#include <QWidget>

class QLabel;

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

class TAboutForm : public QWidget {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    void FormCreate();
    // Escape (kVkEscape) hides the dialog; returns whether the key was Escape.
    bool FormKeyDown(int keyCode);
    void la_website_2Click();
    void la_email_2Click();

    QLabel* im_picture() const { return im_picture_; }
    // Row r (0..6: name, birthplace, birth date, occupation, hobby, website, email).
    QLabel* caption(int r) const { return captions_[r]; }
    QLabel* value(int r) const { return values_[r]; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* im_picture_ = nullptr;
    QLabel* captions_[7] = {};
    QLabel* values_[7] = {};
};

}  // namespace zn
