#include "shell/appsettings.h"

#include <limits>

namespace zn {

std::optional<int> parseStoredInteger(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size()) return std::nullopt;
    // Accumulated as a negative number so that the smallest int fits.
    long long value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 - (c - u'0');
        if (value < std::numeric_limits<int>::min()) return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<int> storedInteger(const QVariant& stored) { return parseStoredInteger(stored.toString()); }

AppSettings::AppSettings() : store_(QSettings::NativeFormat, QSettings::UserScope, "Quillon", "Zornibak50") {}

int AppSettings::readInteger(const QString& name, int def) const {
    store_.sync();
    const QVariant v = store_.value(name);
    if (!v.isValid()) return def;
    return storedInteger(v).value_or(def);
}

bool AppSettings::readBool(const QString& name, bool def) const {
    return readInteger(name, def ? 1 : 0) != 0;
}

void AppSettings::writeInteger(const QString& name, int value) {
    // Load the disk's values first: should this write fail, what is kept for the run is
    // the store as it stands on disk plus this value, not this value alone.
    store_.sync();
    // Stored as a QString so the file holds the bare decimal text, never a typed variant.
    store_.setValue(name, QString::number(value));
    store_.sync();
}

void AppSettings::writeBool(const QString& name, bool value) { writeInteger(name, value ? 1 : 0); }

bool AppSettings::ok() const { return store_.status() == QSettings::NoError; }

}  // namespace zn
