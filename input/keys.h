#pragma once
// TKeysForm, the key settings dialog: one drop-down list per control, red labels for
// every control whose key another control also uses, no accept while such a pair
// exists; accept stores Key1..Key7, derives the key codes and rebuilds the main
// window's tooltips. Created once at start-up, after the bindings are loaded; shown,
// not modal, by the popup menu, which disables the main window meanwhile. Every way the
// dialog closes (accept, Escape, a close request from the window manager) enables the
// main window again.
#include <QStringList>
#include <QWidget>
#include <array>

#include "input/keytable.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace zn {

// The item texts of every list: the dialog texts of the key table in index order, so
// that item position = key-table index - 1.
QStringList keyDialogTexts();

// What the dialog needs of the main window, which implements it.
class KeysHost {
public:
    virtual ~KeysHost() = default;
    // Inp_Keys: the seven bindings the lists start from.
    virtual const InpKeys& keyBindings() const = 0;
    // Sets Inp_Keys[i].Key_Index and stores it as Key<i> in the settings store.
    virtual void setKeyIndex(int i, int index) = 0;
    virtual void AssignWord(int i) = 0;
    virtual void Inp_Build_Hints() = 0;
    // Enables the main window and gives it the keyboard again.
    virtual void enableMainWindow() = 0;
};

class TKeysForm : public QWidget {
    Q_OBJECT
public:
    // The host must outlive the dialog. Give the dialog of the running simulator no
    // parent: disabling the main window must not disable the dialog with it.
    explicit TKeysForm(KeysHost& host, QWidget* parent = nullptr);
    ~TKeysForm() override;

    void FormCreate();
    void FormActivate();
    // Key preview: Enter (13) accepts when accept is enabled, Escape (27) closes without
    // applying. Returns whether the key was one of these two.
    bool FormKeyDown(int keyCode);
    void cbChange();
    void btn_acceptClick();
    bool CheckKeys();

    // Lists and labels of binding i (1..7).
    QComboBox* cb(int i) const { return cbs_[static_cast<std::size_t>(i)]; }
    QLabel* la(int i) const { return labels_[static_cast<std::size_t>(i)]; }
    QPushButton* btn_accept() const { return btn_accept_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void closeWithoutApplying();

    KeysHost& host_;
    std::array<QComboBox*, kBindingCount + 1> cbs_{};
    std::array<QLabel*, kBindingCount + 1> labels_{};
    QLabel* la_main_ = nullptr;
    QLabel* la_controls_ = nullptr;
    QPushButton* btn_accept_ = nullptr;
};

}  // namespace zn
