#include "ui/narration.h"

#include "engine/game.h"

#include <utility>

namespace zn {

namespace {

// Every wording the narrator says. {game}, {score}, {stage} and {lives} stand for the numbers;
// {lives} is said as words ("no lives", "1 life", "2 lives"); a sentence starts with a capital.
enum class Words {
    PowerOn,
    PowerOff,
    GameChosen,
    GameStarted,
    Score,
    Caught,
    ExtraLife,
    StageComplete,
    GameOver,
    StateOff,
    StateOn,
    StateChosen,
    StatePlaying,
    StateOver,
    Speed,
};

struct Wording {
    Words words;
    const char* text;
};

constexpr Wording kWordings[] = {
    {Words::PowerOn, "Power on."},
    {Words::PowerOff, "Power off."},
    {Words::GameChosen, "Game {game} chosen."},
    {Words::GameStarted, "Game {game} started. {lives} left."},
    {Words::Score, "Score {score}."},
    {Words::Caught, "Caught! {lives} left."},
    {Words::ExtraLife, "Extra life! {lives} left."},
    {Words::StageComplete, "Stage complete. Stage {stage}."},
    {Words::GameOver, "Game over. Score {score}."},
    {Words::StateOff, "The device is off."},
    {Words::StateOn, "The device is on. No game chosen."},
    {Words::StateChosen, "Game {game} chosen. Press START to play."},
    {Words::StatePlaying, "Game {game}, stage {stage}. Score {score}. {lives} left."},
    {Words::StateOver, "Game {game} over. Score {score}."},
    {Words::Speed, "Speed {speed} percent."},
};

std::string livesText(std::int32_t lives) {
    if (lives <= 0) return "no lives";
    return std::to_string(lives) + (lives == 1 ? " life" : " lives");
}

// Game number shown by a select, play or game-over mode; 0 in the other modes.
std::int32_t gameOf(std::int32_t mode) {
    if (mode >= Mode_Select_1 && mode <= Mode_Game_Over_4) return (mode - Mode_Select_1) % 4 + 1;
    return 0;
}

bool playing(std::int32_t mode) { return mode >= Mode_Play_1 && mode <= Mode_Play_4; }

std::string say(Words w, const NarratedState& s, int speed = 100) {
    std::string text;
    for (const Wording& x : kWordings)
        if (x.words == w) text = x.text;
    const std::pair<const char*, std::string> fields[] = {
        {"{game}", std::to_string(gameOf(s.mode))},
        {"{score}", std::to_string(s.score)},
        {"{stage}", std::to_string(s.stage)},
        {"{lives}", livesText(s.lives)},
        {"{speed}", std::to_string(speed)},
    };
    for (const auto& [name, value] : fields) {
        const auto at = text.find(name);
        if (at != std::string::npos) text.replace(at, std::char_traits<char>::length(name), value);
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = i == 0 || (i >= 2 && text[i - 1] == ' ' && (text[i - 2] == '.' || text[i - 2] == '!'));
        if (starts && text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
    return text;
}

}  // namespace

NarratedState NarratedState::of(const Game& game) {
    return {game.Gam_Mode, game.Gam_Score, game.Gam_Lives, game.Gam_Stage};
}

std::vector<Utterance> Narrator::observe(const NarratedState& s, std::int64_t nowMs) {
    std::vector<Utterance> out;
    const NarratedState before = last_;
    last_ = s;
    if (!started_) {
        started_ = true;
        spokenScore_ = s.score;
        spokenScoreAt_ = nowMs - kScoreIntervalMs;  // nothing said yet
        return out;
    }
    const auto add = [&](Words w, bool urgent = false) { out.push_back({say(w, s), urgent}); };

    if (s.mode != before.mode) {
        if (s.mode == Mode_Off) {
            add(Words::PowerOff);
        } else if (before.mode == Mode_Off) {
            add(Words::PowerOn);
        } else if (s.mode >= Mode_Select_1 && s.mode <= Mode_Select_4) {
            add(Words::GameChosen);
        } else if (playing(s.mode) && !playing(before.mode)) {
            add(Words::GameStarted);
            spokenScore_ = s.score;  // a new game's 0 is not news
            spokenScoreAt_ = nowMs;
        }
    }
    if (playing(s.mode) && playing(before.mode)) {
        if (s.stage > before.stage) add(Words::StageComplete);
        if (s.lives > before.lives) add(Words::ExtraLife);
        if (s.lives < before.lives) {
            if (s.lives < 0) {
                add(Words::GameOver, true);
                spokenScore_ = s.score;
            } else {
                add(Words::Caught);
            }
        }
    }
    // The score: at once after a quiet while, else at most every kScoreIntervalMs, and its
    // last value once it stops changing.
    if (playing(s.mode) && s.score != spokenScore_ && nowMs - spokenScoreAt_ >= kScoreIntervalMs) {
        add(Words::Score);
        spokenScore_ = s.score;
        spokenScoreAt_ = nowMs;
    }
    return out;
}

std::string Narrator::describe(const NarratedState& s) {
    if (s.mode == Mode_Off) return say(Words::StateOff, s);
    if (s.mode == Mode_Power_On || s.mode == Mode_Idle) return say(Words::StateOn, s);
    if (s.mode <= Mode_Select_4) return say(Words::StateChosen, s);
    if (playing(s.mode) && s.lives >= 0) return say(Words::StatePlaying, s);
    return say(Words::StateOver, s);
}

std::string Narrator::speedWords(int percent) { return say(Words::Speed, {}, percent); }

}  // namespace zn
