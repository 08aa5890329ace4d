#include "engine/game.h"

#include <algorithm>

namespace zn {
namespace {

// The labyrinth as drawn: row 7 at the top, columns 1..10 from left to right.
constexpr std::int32_t kLabyrinthRows[7][10] = {
    {0, 9, 13, 13, 12, 9, 13, 13, 12, 0},  // row 7
    {0, 10, 10, 3, 14, 11, 6, 10, 10, 0},  // row 6
    {5, 7, 15, 5, 7, 7, 5, 15, 7, 5},      // row 5
    {0, 9, 7, 12, 3, 6, 9, 7, 12, 0},      // row 4
    {5, 15, 5, 15, 12, 9, 15, 5, 15, 5},   // row 3
    {0, 11, 5, 6, 11, 14, 3, 5, 14, 0},    // row 2
    {0, 3, 5, 5, 6, 3, 5, 5, 6, 0},        // row 1
};

constexpr std::array<std::int32_t, kGameCells> byCell() {
    std::array<std::int32_t, kGameCells> cells{};
    for (int col = 1; col <= 10; ++col)
        for (int row = 1; row <= 7; ++row) cells[cellIndex(col, row)] = kLabyrinthRows[7 - row][col - 1];
    return cells;
}

}  // namespace

const std::array<std::int32_t, kGameCells> kLabyrinth = byCell();

Game::Game(TimerService& timers, FigureService& figures, SoundService& sound, RandomService& random)
    : Sprites(figures), timers_(timers), sound_(sound), random_(random) {
    Gam_Labyrinth = kLabyrinth;
}

void Game::onTimer(TimerId t) {
    switch (t) {
        case TimerId::Game:
            Timer_GameTimer();
            break;
        case TimerId::Demo_Start:
            Timer_Demo_StartTimer();
            break;
        case TimerId::Bonus_Star:
            Timer_Bonus_StarTimer();
            break;
        case TimerId::Ghost:
            Timer_GhostTimer();
            break;
        case TimerId::Miss:
            Timer_MissTimer();
            break;
        case TimerId::Stage_Complete:
            Timer_Stage_CompleteTimer();
            break;
    }
}

void Game::Gam_Stop_All_Timers() {
    timers_.setEnabled(TimerId::Bonus_Star, false);
    timers_.setEnabled(TimerId::Demo_Start, false);
    timers_.setEnabled(TimerId::Game, false);
    timers_.setEnabled(TimerId::Ghost, false);
    timers_.setEnabled(TimerId::Miss, false);
    timers_.setEnabled(TimerId::Stage_Complete, false);
}

// A sequence's first step comes 1 ms after it starts; its handler sets the later intervals.
void Game::startSequence(TimerId t, std::int32_t& phase) {
    phase = 1;
    timers_.setInterval(t, 1);
    timers_.setEnabled(t, true);
}

void Game::Snd_Play(Sample s) {
    if (Snd_Enabled) sound_.play(s);
}

void Game::Snd_Silence() {
    if (Snd_Enabled) sound_.silence();
}

void Game::Vid_Display_Ghost(std::int32_t k, bool visible) {
    if (k < 1 || k > 3) return;
    displayGhostCell(Gam_Ghosts[k].Col, Gam_Ghosts[k].Row, visible);
}

int Game::ghostsInPlay() const { return std::clamp(Gam_Ghost_Count, 0, 3); }

bool Game::anyGhostEscaping() const {
    for (int k = 1; k <= ghostsInPlay(); ++k)
        if (Gam_Ghosts[k].State == Ghost_Escaping) return true;
    return false;
}

void Game::setAllGhosts(std::int32_t state) {
    for (int k = 1; k <= ghostsInPlay(); ++k) Gam_Ghosts[k].State = state;
}

}  // namespace zn
