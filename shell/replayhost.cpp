#include "shell/replayhost.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "engine/snapshot.h"

namespace zn {

void ReplayHost::Mirror::setVisible(ImageId id, bool visible) {
    table_.setVisible(id, visible);
    screen_.setVisible(id, visible);
}

void ReplayHost::Mirror::copyPicture(ImageId dst, ImageId src) {
    table_.copyPicture(dst, src);
    screen_.copyPicture(dst, src);
}

void ReplayHost::Mirror::clearPicture(ImageId id) {
    table_.clearPicture(id);
    screen_.clearPicture(id);
}

ReplayHost::ReplayHost(FigureService& screen, Setup setup) : setup_(std::move(setup)), mirror_(screen) {
    if (setup_.replay) pace_.setSpeed(setup_.replay->speed);
    due_.setSingleShot(true);
    due_.setTimerType(Qt::PreciseTimer);
    connect(&due_, &QTimer::timeout, this, [this] {
        pace();
        afterMoving();
        schedule();
    });
}

ReplayHost::~ReplayHost() = default;

void ReplayHost::attach(Game& game, InputOperations& controls) {
    game_ = &game;
    session_ = std::make_unique<replay::Session>(
        clock_, game, random_, controls,
        replay::Session::Options{setup_.replay, !setup_.recordPath.isEmpty(), setup_.seed});
}

void ReplayHost::start() {
    if (started_ || !session_) return;
    started_ = true;
    elapsed_.start();
    paced_ = 0;
    schedule();
}

void ReplayHost::pace() {
    if (!started_) return;
    const qint64 now = elapsed_.elapsed();
    session_->advance(pace_.gameMs(now - paced_));
    paced_ = now;
}

void ReplayHost::setSpeed(int percent) {
    pace();
    pace_.setSpeed(percent);
    schedule();
}

void ReplayHost::input(Control c, bool press) {
    if (!started_) return;
    pace();
    session_->input(c, press);
    afterMoving();
    schedule();
}

void ReplayHost::afterMoving() {
    Q_EMIT moved();
    const bool over = game_->Gam_Mode >= Mode_Game_Over_1 && game_->Gam_Mode <= Mode_Game_Over_4;
    if (over && !gameOver_) save();
    gameOver_ = over;
    if (session_->phase() != replay::Session::Phase::Held || holdLogged_ || setup_.endLog.isEmpty()) return;
    holdLogged_ = true;
    QFile log(setup_.endLog);
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const std::string text = showFigures(mirror_.table()) + showState(*game_, clock_);
        log.write(text.data(), static_cast<qint64>(text.size()));
    }
}

void ReplayHost::schedule() {
    const std::optional<std::int64_t> next = started_ ? session_->untilNext() : std::nullopt;
    if (next)
        due_.start(static_cast<int>(std::min<std::int64_t>(pace_.realMs(*next), INT_MAX)));
    else
        due_.stop();
}

void ReplayHost::finish() {
    pace();
    save();
}

void ReplayHost::save() {
    if (setup_.recordPath.isEmpty() || !session_) return;
    QString reason;
    replay::Recording recording = *session_->recorded();
    recording.speed = pace_.speed();
    if (writeFile(setup_.recordPath, recording, reason) || saveFailureTold_) return;
    saveFailureTold_ = true;
    std::fprintf(stderr, "zorpy-nibbo: the recording could not be written to %s: %s\n",
                 qPrintable(setup_.recordPath), qPrintable(reason));
    std::fflush(stderr);
}

bool ReplayHost::writeFile(const QString& path, const replay::Recording& r, QString& reason) {
    QSaveFile file(path);
    const std::string text = replay::writeRecording(r);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
        !file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

}  // namespace zn
