// The pauses that interrupt play: the miss (and game over), the eaten ghost and the
// cleared board. Each runs on its own timer, one step per event, and hands back to the
// game tick in its last step (at game over, to the game-over mode).
#include "engine/game.h"

namespace zn {

void Game::Timer_MissTimer() {
    switch (Gam_Miss_Phase) {
        case 1:
            timers_.setInterval(TimerId::Miss, 200);
            break;  // the catch stays on screen
        case 2:
            Snd_Play(Snd_Miss);
            timers_.setInterval(TimerId::Miss, 600);
            break;
        case 3:
            --Gam_Lives;
            Vid_Display_Panel_Life(Gam_Lives);
            Vid_Display_Nibbo(Gam_Nibbo_Col, Gam_Nibbo_Row, false);
            Gam_Init_Stage_Nibbo();
            Vid_Display_All_Ghost(false);
            Gam_Init_Stage_Ghosts();
            if (Gam_Lives >= 0) {
                Gam_Tick = 1;
                timers_.setEnabled(TimerId::Game, true);
                timers_.setEnabled(TimerId::Miss, false);
            } else {
                Snd_Play(Snd_Start);
                Gam_Init_Stage_Labyrinth();
                showFigure(img::im_panel_gameover, true);
                timers_.setInterval(TimerId::Miss, 2980);
            }
            break;
        case 4:
            Gam_Mode += 4;  // the game-over mode of the same game
            timers_.setEnabled(TimerId::Miss, false);
            break;
        default:
            break;
    }
    ++Gam_Miss_Phase;
}

void Game::Timer_GhostTimer() {
    const auto onNibbo = [this](int k) {
        return Gam_Ghosts[k].Col == Gam_Nibbo_Col && Gam_Ghosts[k].Row == Gam_Nibbo_Row;
    };
    switch (Gam_Ghost_Eaten_Phase) {
        case 1:
            for (int k = 1; k <= ghostsInPlay(); ++k)
                if (onNibbo(k)) Vid_Display_Ghost(k, true);
            timers_.setInterval(TimerId::Ghost, 50);
            break;
        case 2:
            Snd_Play(Snd_Ghost);
            timers_.setInterval(TimerId::Ghost, 600);
            break;
        case 3:
            // Every ghost on the cell is eaten, whatever its state, each for 200 points.
            for (int k = 1; k <= ghostsInPlay(); ++k) {
                if (!onNibbo(k)) continue;
                Gam_Score += 200;
                Vid_Display_Panel_Score(Gam_Score, true);
                Gam_Check_New_Life();
                Vid_Display_Ghost(k, false);
                Gam_Ghosts[k] = {Ghost_Chasing, 5, 4};
                Vid_Display_Ghost(k, true);
            }
            timers_.setEnabled(TimerId::Game, true);
            timers_.setEnabled(TimerId::Ghost, false);
            break;
        default:
            break;
    }
    ++Gam_Ghost_Eaten_Phase;
}

void Game::Timer_Stage_CompleteTimer() {
    switch (Gam_Stage_Complete_Phase) {
        case 1:
            timers_.setInterval(TimerId::Stage_Complete, 200);
            break;  // frozen board
        case 2:
            Snd_Play(Snd_Stage);
            ++Gam_Stage;
            Gam_Init_Stage_Nibbo();
            Gam_Init_Stage_Ghosts();
            Gam_Init_Stage_Labyrinth();
            timers_.setInterval(TimerId::Stage_Complete, 3200);
            break;
        case 3:
            Gam_Start_Stage();
            timers_.setEnabled(TimerId::Stage_Complete, false);
            break;
        default:
            break;
    }
    ++Gam_Stage_Complete_Phase;
}

}  // namespace zn
