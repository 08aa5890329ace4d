#pragma once
// TSplashForm, the start dialog: names the simulator and its version, shows the
// device's box, links to the authors, and asks for the sound output. Its play action
// starts the sound, stores the choices, centres the main window and shows the device
// switched off. When a sound output is stored and the user asked not to see the
// dialog again, the play action runs during the dialog's creation and the dialog is
// never seen. Escape, or a close request from the window manager, ends the application.
#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QAbstractButton;

namespace zn {

class AppSettings;

// What the splash dialog needs of the main window, which implements it.
class SplashHost {
public:
    virtual ~SplashHost() = default;
    virtual AppSettings& App_Settings() = 0;
    // The sound start-up on the driver text; false when it failed (it has then shown its
    // message, reset the stored choice and requested the end of the application).
    virtual bool startSound(const QString& driverText) = 0;
    virtual void centreWindow() = 0;
    // Gam_Mode = Mode_Off; Gam_Set_Mode: the device shown switched off.
    virtual void showSwitchedOff() = 0;
    virtual void clearSplashPending() = 0;
    // Ends the application directly, without the main window's close handling.
    virtual void quitApplication() = 0;
};

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    // FormCreate runs here and may perform the play action at once. The host (the main
    // window of the running simulator) must outlive the dialog.
    explicit TSplashForm(SplashHost& host, QWidget* parent = nullptr);
    ~TSplashForm() override;

    void FormCreate();
    void FormActivate();
    // Key preview: Enter (kVkReturn) and the digit 1 (kVkOne) play when play is enabled, Escape (kVkEscape)
    // ends the application. Returns whether the key was one of these.
    bool FormKeyDown(int keyCode);
    void cb_soundChange();
    void btn_playClick();
    void btn_paypalClick();
    void la_website_2Click();
    void la_email_2Click();

    // True once the play action has run to its end (the dialog is then hidden for good).
    bool played() const { return played_; }

    QComboBox* cb_sound() const { return cb_sound_; }
    QCheckBox* chb_splashscreen() const { return chb_splashscreen_; }
    QAbstractButton* btn_play() const { return btn_play_; }
    QAbstractButton* btn_paypal() const { return btn_paypal_; }
    QLabel* btn_play_disabled() const { return btn_play_disabled_; }
    QLabel* im_box_picture() const { return im_box_picture_; }
    QLabel* la_game_title() const { return la_game_title_; }
    QLabel* la_version() const { return la_version_; }
    QLabel* la_release_date() const { return la_release_date_; }
    QLabel* la_website_2() const { return la_website_2_; }
    QLabel* la_email_2() const { return la_email_2_; }
    QLabel* la_sound_select() const { return la_sound_select_; }

Q_SIGNALS:
    // The play action stored SplashScreen; the popup menu's pm_11_splashscreen follows it.
    void splashScreenStored(bool checked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    // The pictures are read when the dialog is first shown: a start that skips the dialog
    // never decodes them.
    void loadPictures();

    SplashHost& host_;
    bool playing_ = false;  // the play action has started; it never runs twice
    bool played_ = false;
    bool picturesLoaded_ = false;

    QLabel* im_background_ = nullptr;
    QLabel* im_box_picture_ = nullptr;
    QLabel* la_game_title_ = nullptr;
    QLabel* la_version_ = nullptr;
    QLabel* la_release_date_ = nullptr;
    QLabel* la_website_2_ = nullptr;
    QLabel* la_email_2_ = nullptr;
    QLabel* la_sound_select_ = nullptr;
    QComboBox* cb_sound_ = nullptr;
    QAbstractButton* btn_play_ = nullptr;
    QLabel* btn_play_disabled_ = nullptr;
    QAbstractButton* btn_paypal_ = nullptr;
    QCheckBox* chb_splashscreen_ = nullptr;
};

}  // namespace zn
