#include "input/keytable.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <utility>

namespace zn {
namespace {

// X key codes of the main keyboard's digit row, from "1" to "0" (evdev + 8, the same
// physical keys on every layout).
constexpr std::uint32_t kXKeyCodeDigit1 = 10;
constexpr std::uint32_t kXKeyCodeDigit0 = 19;

// Qt keys that are not digits or letters, with their virtual-key codes.
constexpr std::pair<int, std::uint16_t> kSpecialKeys[] = {
    {Qt::Key_Up, 38},    {Qt::Key_Down, 40},    {Qt::Key_Left, 37},  {Qt::Key_Right, 39}, {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18}, {Qt::Key_Control, 17}, {Qt::Key_Shift, 16}, {Qt::Key_Space, 32},
};

}  // namespace

InpKeyNames fillKeyNames() {
    InpKeyNames names;
    for (int i = 1; i <= kKeyTableSize; ++i) {
        const std::string_view n = keyTableEntry(i).hintName;
        names[static_cast<std::size_t>(i)] = QString::fromLatin1(n.data(), static_cast<qsizetype>(n.size()));
    }
    return names;
}

HintTexts hintTexts(const InpKeys& keys, const InpKeyNames& names, bool deviceOff) {
    auto N = [&](int binding) {
        const int k = keys[static_cast<std::size_t>(binding)].Key_Index;
        if (!isKeyIndex(k)) return QString::fromLatin1(kNoKeyHintName.data(), kNoKeyHintName.size());
        return names[static_cast<std::size_t>(k)];
    };
    const QString press = QStringLiteral("click or press ");
    HintTexts h;
    h.power = press + N(1) + QStringLiteral(" ") +
              (deviceOff ? QStringLiteral("to turn on the game") : QStringLiteral("to turn off the game"));
    h.select = press + N(2) + QStringLiteral(" ") + QStringLiteral("to select game");
    h.start = press + N(3) + QStringLiteral(" ") + QStringLiteral("to start game");
    h.joystick = QStringLiteral("activate the controller overlays or use ") + N(4) + QStringLiteral(", ") +
                 N(5) + QStringLiteral(", ") + N(6) + QStringLiteral(", ") + N(7);
    h.overlayUp = press + N(4);
    h.overlayLeft = press + N(5);
    h.overlayRight = press + N(6);
    h.overlayDown = press + N(7);
    return h;
}

std::uint16_t virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, std::uint32_t xKeyCode) {
    if (modifiers.testFlag(Qt::KeypadModifier)) return 0;
    if (xKeyCode >= kXKeyCodeDigit1 && xKeyCode <= kXKeyCodeDigit0)
        return xKeyCode == kXKeyCodeDigit0 ? '0'
                                           : static_cast<std::uint16_t>('1' + (xKeyCode - kXKeyCodeDigit1));
    // Without a key code only the character tells a digit; with one, a digit typed
    // elsewhere (AltGr on another key, say) is not a digit key.
    if (xKeyCode == 0 && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<std::uint16_t>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<std::uint16_t>('A' + (qtKey - Qt::Key_A));
    for (const auto& [key, code] : kSpecialKeys)
        if (key == qtKey) return code;
    return 0;
}

std::uint16_t virtualKeyCode(const QKeyEvent& e) {
    // X11 and Wayland number the keys as evdev + 8; other platforms (offscreen, synthetic
    // events) give 0 or a numbering of their own.
    static const bool xKeyCodes = [] {
        const QString platform = QGuiApplication::platformName();
        return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    }();
    return virtualKeyCode(e.key(), e.modifiers(), xKeyCodes ? e.nativeScanCode() : 0);
}

}  // namespace zn
