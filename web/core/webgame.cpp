#include "web/core/webgame.h"

#include <cmath>

namespace zn::web {

std::optional<std::uint64_t> wholeNumberFromPage(double v) {
    if (!(v >= 0 && v <= 9007199254740991.0) || v != std::floor(v)) return std::nullopt;
    return static_cast<std::uint64_t>(v);
}

ChangeTrackingFigures::ChangeTrackingFigures() {
    // A new table: the page must draw every image once.
    for (int i = 0; i < kImageCount; ++i) changed(img::at(i));
}

void ChangeTrackingFigures::setVisible(ImageId id, bool visible) {
    if (table_.visible(id) == visible) return;
    table_.setVisible(id, visible);
    changed(id);
}

void ChangeTrackingFigures::copyPicture(ImageId dst, ImageId src) {
    if (table_.picture(dst) == table_.picture(src)) return;
    table_.copyPicture(dst, src);
    changed(dst);
}

void ChangeTrackingFigures::clearPicture(ImageId id) {
    if (!table_.picture(id)) return;
    table_.clearPicture(id);
    changed(id);
}

void ChangeTrackingFigures::changed(ImageId id) {
    bool& m = marked_[index(id)];
    if (m) return;
    m = true;
    changed_.push_back(index(id));
}

std::vector<int> ChangeTrackingFigures::takeChanged() {
    for (int id : changed_) marked_[static_cast<std::size_t>(id)] = false;
    std::vector<int> out;
    out.swap(changed_);
    return out;
}

std::vector<int> QueuedSound::take() {
    std::vector<int> out;
    out.swap(events_);
    return out;
}

WebGame::WebGame(std::uint64_t seed) { reset(seed); }

void WebGame::start(replay::Session::Options options) {
    device_ = std::make_unique<Device>(std::move(options));
    device_->game.Snd_Enabled = soundEnabled_;
}

void WebGame::reset(std::uint64_t seed) { start({std::nullopt, true, seed}); }

std::optional<replay::ReadProblem> WebGame::open(std::string_view text) {
    replay::ReadResult read = replay::readRecording(text);
    if (!read.recording) return read.problem;
    pace_.setSpeed(read.recording->speed);
    start({std::move(read.recording), true, 0});
    return std::nullopt;
}

std::string WebGame::recordingText() const {
    replay::Recording r = *device_->session.recorded();
    r.speed = pace_.speed();
    return replay::writeRecording(r);
}

void WebGame::setSoundEnabled(bool on) {
    soundEnabled_ = on;
    device_->game.Snd_Enabled = on;
}

void WebGame::advance(std::int64_t ms) { device_->session.advance(ms); }

}  // namespace zn::web
