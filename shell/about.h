#pragma once
// TAboutForm, the about dialog: a portrait and the authors' details in seven labelled
// rows, with a web link and an e-mail link. Not modal and always in front; Escape, the
// close button or either link hides it, and it can be shown again any number of times.
#include <QString>
#include <QWidget>

class QLabel;

namespace zn {

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
    bool portraitLoaded_ = false;  // read at the first showing, not at creation
    QLabel* captions_[7] = {};
    QLabel* values_[7] = {};
};

}  // namespace zn
