#include "shell/plaintextstore.h"

#include <QByteArrayList>
#include <QString>

namespace zn {

namespace {

const QString kGeneral = QStringLiteral("General");

}  // namespace

bool readPlainTextStore(QIODevice& device, QSettings::SettingsMap& map) {
    QString group;
    for (const QByteArray& raw : device.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            group = QString::fromUtf8(line.mid(1, line.size() - 2).trimmed());
            if (group == kGeneral) group.clear();
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) continue;
        const QString name = QString::fromUtf8(line.left(eq).trimmed());
        map.insert(group.isEmpty() ? name : group + u'/' + name, QString::fromUtf8(line.mid(eq + 1).trimmed()));
    }
    return true;
}

bool writePlainTextStore(QIODevice& device, const QSettings::SettingsMap& map) {
    // The top-level names under [General] first, then each group under its own header, in the
    // order of their names; a group's name is what stands before the first '/'.
    QByteArray out;
    QString written = QStringLiteral("\n");  // no group is written yet; "\n" is no group's name
    for (const bool topLevel : {true, false}) {
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            const qsizetype slash = it.key().indexOf(u'/');
            if ((slash < 0) != topLevel) continue;
            const QString group = topLevel ? kGeneral : it.key().left(slash);
            if (group != written) {
                if (!out.isEmpty()) out += '\n';
                out += '[' + group.toUtf8() + "]\n";
                written = group;
            }
            QByteArray value = it.value().toString().toUtf8();
            value.replace('\n', ' ').replace('\r', ' ');
            out += (topLevel ? it.key() : it.key().mid(slash + 1)).toUtf8() + '=' + value + '\n';
        }
    }
    return device.write(out) == out.size();
}

QString unquotedStoreValue(const QString& text) {
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"') && text.count(u'"') == 2)
        return text.mid(1, text.size() - 2);
    return text;
}

QSettings::Format plainTextStoreFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), readPlainTextStore, writePlainTextStore);
    return format;
}

}  // namespace zn
