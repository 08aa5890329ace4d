#include "shell/appsettings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "shell/plaintextstore.h"

namespace zn {

namespace {

AppSettings::FailureReporter& failureReporter() {
    static AppSettings::FailureReporter reporter;
    return reporter;
}

std::unique_ptr<QSettings> openStore() {
    auto store =
        std::make_unique<QSettings>(plainTextStoreFormat(), QSettings::UserScope, "Quillon", "Zornibak50");
    // Never written in place: a write that fails half-way leaves the old file whole.
    store->setAtomicSyncRequired(true);
    return store;
}

QString errorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The folder made as `mkdir -p` would; the empty text, or why a part cannot be made.
QString makeFolder(const QByteArray& folder) {
    QByteArray path = folder.startsWith('/') ? QByteArray() : QByteArray(".");
    for (const QByteArray& part : folder.split('/')) {
        if (part.isEmpty()) continue;
        path += '/' + part;
        const QString shown = QString::fromLocal8Bit(path);
        struct stat st {};
        if (::stat(path.constData(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) return QStringLiteral("%1 is a file, not a folder").arg(shown);
            continue;
        }
        if (errno != ENOENT)
            return QStringLiteral("the folder %1 cannot be reached: %2").arg(shown, errorText(errno));
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
            return QStringLiteral("the folder %1 cannot be created: %2").arg(shown, errorText(errno));
    }
    return {};
}

// Writes `bytes` bytes to the open file and syncs it; 0 or the errno of the step that failed.
int fill(int fd, qint64 bytes) {
    char block[4096];
    std::memset(block, '\n', sizeof block);
    while (bytes > 0) {
        const ssize_t n = ::write(fd, block, static_cast<size_t>(std::min<qint64>(bytes, sizeof block)));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes -= n;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

}  // namespace

QString storeWriteProblem(const QString& file, qint64 extraBytes) {
    const QFileInfo info(file);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    if (QString problem = makeFolder(folder); !problem.isEmpty()) return problem;
    const QString shownFolder = QString::fromLocal8Bit(folder);
    QByteArray trial = folder + "/." + QFile::encodeName(info.fileName()) + ".trial-XXXXXX";
    const int fd = ::mkstemp(trial.data());
    if (fd < 0)
        return QStringLiteral("the folder %1 cannot be written: %2").arg(shownFolder, errorText(errno));
    const int fillError = fill(fd, (info.exists() ? info.size() : 0) + std::max<qint64>(extraBytes, 1));
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    ::unlink(trial.constData());
    if (fillError != 0 || closeError != 0) return errorText(fillError != 0 ? fillError : closeError);
    if (info.exists() && ::access(QFile::encodeName(file).constData(), W_OK) != 0)
        return QStringLiteral("the file cannot be written: %1").arg(errorText(errno));
    return {};
}

std::optional<int> parseStoredInteger(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return storedInteger(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::optional<int> storedInteger(const QVariant& stored) { return parseStoredInteger(stored.toString()); }

void AppSettings::setFailureReporter(FailureReporter reporter) { failureReporter() = std::move(reporter); }

AppSettings::AppSettings() : store_(openStore()) {}

AppSettings::~AppSettings() = default;

std::optional<QByteArray> AppSettings::storedText(const QString& name) const {
    if (unsaved_.empty())
        store_->sync();
    else
        flush();
    const QVariant v = store_->value(name);
    if (!v.isValid()) return std::nullopt;
    // Values are the text as written, never decoded (a list, a variant): that text yields the
    // default unless it is a plain number.
    return unquotedStoreValue(v.toString()).toUtf8();
}

namespace {

std::optional<std::string_view> view(const std::optional<QByteArray>& text) {
    if (!text) return std::nullopt;
    return std::string_view(text->constData(), static_cast<std::size_t>(text->size()));
}

}  // namespace

int AppSettings::readInteger(const QString& name, int def) const {
    return storedValueOr(view(storedText(name)), def);
}

int AppSettings::readZoom() const {
    return storedSetting(Setting::Zoom, view(storedText(settingName(Setting::Zoom))));
}

bool AppSettings::readBool(const QString& name, bool def) const {
    return readInteger(name, def ? 1 : 0) != 0;
}

void AppSettings::writeInteger(const QString& name, int value) {
    // Stored as a QString so the file holds the bare decimal text, never a typed variant.
    unsaved_[name] = QString::number(value);
    if (!flush()) reportFailure();
}

void AppSettings::writeBool(const QString& name, bool value) { writeInteger(name, value ? 1 : 0); }

bool AppSettings::flush() const {
    if (store_->status() != QSettings::NoError) store_ = openStore();
    // The disk's values first: what is written, or kept for the run should the write fail,
    // is the store as it stands on disk plus this run's values.
    store_->sync();
    for (const auto& [name, text] : unsaved_) store_->setValue(name, text);
    store_->sync();
    if (store_->status() != QSettings::NoError) return false;
    unsaved_.clear();
    return true;
}

QString storeFailureMessage(const StoreWriteFailure& failure) {
    return QStringLiteral(
               "The settings cannot be saved to %1: %2.\n\nThe game goes on with the choices you make, "
               "and saves them all as soon as the file can be written.")
        .arg(failure.file, failure.reason);
}

void AppSettings::reportFailure() {
    if (reported_) return;
    reported_ = true;
    StoreWriteFailure failure{fileName(), storeWriteProblem(fileName())};
    if (failure.reason.isEmpty()) failure.reason = QStringLiteral("the file could not be replaced");
    std::fprintf(stderr,
                 "zorpy-nibbo: the settings cannot be saved to %s: %s; this run's choices are kept "
                 "and saved at the next write that succeeds\n",
                 qPrintable(failure.file), qPrintable(failure.reason));
    std::fflush(stderr);
    if (failureReporter()) failureReporter()(failure);
}

}  // namespace zn
