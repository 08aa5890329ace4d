#pragma once
// What the simulator's dialogs (key settings here; splash and about in the shell) share:
// the keys their key preview answers, their place on the screen, their navy background,
// Arial, and the links that open an address when clicked.
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <cstdint>
#include <functional>

class QEvent;
class QKeyEvent;
class QWidget;

namespace zn {

// The virtual-key codes the dialogs react to. No control can be bound to them, except
// the digit 1, which plays from the splash dialog.
inline constexpr std::uint16_t kVkReturn = 13;
inline constexpr std::uint16_t kVkEscape = 27;
inline constexpr std::uint16_t kVkOne = '1';

// What a dialog sees of a key event: kVkReturn for either Enter key, kVkEscape, otherwise
// the key table's virtualKeyCode.
std::uint16_t dialogKeyCode(const QKeyEvent& e);

// Key preview: a dialog's event filter hands each key press, as dialogKeyCode sees it, to
// the dialog's key-down handler before the focused control gets it. True when the handler
// took the key; any other event is left alone.
bool previewDialogKey(QEvent& event, const std::function<bool(int keyCode)>& formKeyDown);

// A dialog's window: a title bar with no buttons of its own (the about dialog adds a
// close button).
inline constexpr Qt::WindowFlags kDialogWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// The dialogs' background: dark blue, RGB 8, 41, 82.
inline const QColor kDialogNavy(8, 41, 82);

// Arial at a pixel size; Liberation Sans, with the same metrics, stands in where Arial is
// not installed. Only the fonts made here ask for the stand-in.
QFont arialFont(int pixelSize, bool bold = false);

// The colour of a label's or button's text.
void setTextColour(QWidget* w, const QColor& colour);

// The primary screen's rectangle (1024 x 768 at the origin when there is none).
QRect screenGeometry();

// Moves a window to the middle of the primary screen: left = (screen width - window
// width) / 2 and top likewise, each raised to 0 when negative, so that a window larger
// than the screen shows its top-left corner.
void centreOnScreen(QWidget& window);

// A text that opens something when clicked: the primary button released over it, as a
// link of the original dialogs. Shows the pointing hand. Tab reaches it (a click does not
// take the focus), and Space or Enter opens it then.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The ring that shows which control of a dialog has the keyboard focus: navy, yellow,
// navy, so it reads on the dialogs' white and on their navy alike, whatever the widget
// style draws (or does not) for focus. Its place around a control:
inline constexpr int kFocusRingGap = 1;    // between the control and the ring
inline constexpr int kFocusRingWidth = 4;  // 1 navy, 2 yellow, 1 navy
inline const QColor kFocusRingYellow(255, 200, 40);

// The rectangle the ring encloses for a control, in its parent's coordinates: the
// control's, narrowed to its text where a label or check box is wider than what it shows.
QRect focusRingTarget(const QWidget& control);

// A child of a dialog that draws the ring around the dialog's focused control while the
// dialog is the active window, and nothing otherwise. It takes no mouse input.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget& dialog);

    // The control the ring is around; nullptr while it is hidden.
    const QWidget* target() const { return target_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow(QWidget* focused);

    QWidget& dialog_;
    const QWidget* target_ = nullptr;
};

}  // namespace zn
