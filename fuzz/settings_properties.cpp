#include "fuzz/settings_properties.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <climits>
#include <cstdint>

#include "input/keytable.h"
#include "settings/settingrules.h"
#include "shell/appsettings.h"

namespace zn::fuzz {
namespace {

// The decimal rule read independently: blanks around, an optional sign, ASCII digits, int range.
std::optional<int> referenceDecimal(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';
    if (i == t.size()) return std::nullopt;
    for (qsizetype j = i; j < t.size(); ++j)
        if (t[j] < u'0' || t[j] > u'9') return std::nullopt;
    QString digits = t.mid(i);
    while (digits.size() > 1 && digits[0] == u'0') digits.remove(0, 1);
    if (digits.size() > 10) return std::nullopt;
    const long long magnitude = digits.toLongLong();
    const long long value = negative ? -magnitude : magnitude;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

std::string checkOne(const QString& text) {
    const auto got = parseStoredInteger(text);
    const auto want = referenceDecimal(text);
    if (got != want)
        return "parseStoredInteger(\"" + text.left(60).toStdString() + "\") gives " +
               (got ? std::to_string(*got) : "nothing") + ", expected " +
               (want ? std::to_string(*want) : "nothing");
    if (got && parseStoredInteger(QString::number(*got)) != got)
        return "parseStoredInteger does not read back " + std::to_string(*got);
    return {};
}

}  // namespace

std::string checkStoredText(std::string_view bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    // The toolkit-free rule on the raw bytes reads them as the store's QString would.
    const auto raw = storedInteger(bytes);
    if (raw != referenceDecimal(QString::fromUtf8(bytes.data(), size)))
        return "storedInteger gives " + (raw ? std::to_string(*raw) : std::string("nothing")) +
               " for bytes whose UTF-8 reading gives otherwise";
    if (std::string broken = checkOne(QString::fromUtf8(bytes.data(), size)); !broken.empty()) return broken;
    if (std::string broken = checkOne(QString::fromLatin1(bytes.data(), size)); !broken.empty())
        return broken;
    QString utf16(size / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < utf16.size(); ++i)
        utf16[i] = QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                               static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return checkOne(utf16);
}

namespace {

// The forms a stored text takes once the settings file has decoded it. A streamed variant
// ("@Variant(...)") is not among them: Qt's decoder of its bytes allocates whatever counts they
// claim, without bound (a 36-byte value took all of this machine's 23 GB), which is Qt's to
// answer, not something our reading of the value could change; the corpus replay still reads
// such values through a real settings file.
QList<QVariant> decodedForms(std::string_view bytes) {
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString text = QString::fromUtf8(raw);
    QList<QVariant> forms{QVariant(text), QVariant(raw)};
    if (text.contains(u',')) {
        QStringList list = text.split(u',');
        for (QString& item : list) item = item.trimmed();
        forms << QVariant(list);
    }
    return forms;
}

// Every setting read from one stored value, as the simulator reads it at start-up.
std::string checkSettingsFrom(const QVariant& stored) {
    const std::optional<int> n = storedInteger(stored);
    if (n != referenceDecimal(stored.toString()))
        return "storedInteger disagrees with the decimal rule on a value of type " +
               std::string(stored.metaType().name() ? stored.metaType().name() : "(none)");
    if (n && storedInteger(QVariant(QString::number(*n))) != n)
        return "a stored number does not read back as written: " + std::to_string(*n);
    InpKeys keys;
    for (const SettingInfo& info : kSettings) {
        const int value = n.value_or(info.defaultValue);
        if (info.setting == Setting::Zoom && !isZoomPercent(zoomPercentFrom(value)))
            return "the zoom read from " + std::to_string(value) + " is not one the window can take";
        for (int b = 1; b <= kBindingCount; ++b) {
            if (info.setting != keySetting(b)) continue;
            auto& binding = keys[static_cast<std::size_t>(b)];
            binding.Key_Index = value;
            AssignWord(keys, b);
            if (isKeyIndex(value) != (binding.Key_Code != 0))
                return "key binding " + std::to_string(b) + " from index " + std::to_string(value) +
                       " has key code " + std::to_string(binding.Key_Code);
        }
    }
    static const InpKeyNames names = fillKeyNames();
    const HintTexts hints = hintTexts(keys, names, n.value_or(0) != 0);
    const bool named = n ? isKeyIndex(*n) : true;  // a missing number: the default keys
    const QString noKey = QString::fromLatin1(kNoKeyHintName.data(), kNoKeyHintName.size());
    if (hints.overlayUp.contains(noKey) == named)
        return "the hints name no key for a key index, or a key for none: " + std::to_string(n.value_or(0));
    return {};
}

}  // namespace

std::string checkStoredValue(std::string_view bytes) {
    for (const QVariant& stored : decodedForms(bytes))
        if (std::string broken = checkSettingsFrom(stored); !broken.empty()) return broken;
    return {};
}

std::string checkStoredFile(std::string_view bytes) {
    const QString dir = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (dir.isEmpty()) return "XDG_CONFIG_HOME is not set";
    QDir().mkpath(dir + QStringLiteral("/Quillon"));
    QFile file(dir + QStringLiteral("/Quillon/Zornibak50.conf"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return "the settings file cannot be written";
    QByteArray value(bytes.data(), static_cast<qsizetype>(bytes.size()));
    value.replace('\n', ' ').replace('\r', ' ');
    file.write("[General]\nFuzzed=" + value + "\n");
    file.close();

    const AppSettings settings;
    const int a = settings.readInteger(QStringLiteral("Fuzzed"), -7);
    const int b = settings.readInteger(QStringLiteral("Fuzzed"), 9);
    if (a != b && (a != -7 || b != 9)) return "readInteger mixes a stored number with its default";
    const bool yes = settings.readBool(QStringLiteral("Fuzzed"), true);
    const bool no = settings.readBool(QStringLiteral("Fuzzed"), false);
    if (a == b && (yes != (a != 0) || no != (a != 0))) return "readBool does not follow the stored number";
    if (a != b && (!yes || no)) return "readBool ignores its default for a value that is no number";
    return {};
}

}  // namespace zn::fuzz
