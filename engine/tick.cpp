// The game tick: ghosts and Nibbo step, pills, energizers and bonus stars are taken,
// the score and extra lives kept, and pauses handed over to their sequences. Also the
// bonus stars' lighting, the bonus-star pause and the joystick flags.
#include <optional>

#include "engine/game.h"

namespace zn {

void Game::Timer_GameTimer() {
    std::optional<Sample> tickSound;
    if (anyGhostEscaping()) tickSound = Snd_Energizer;
    bool caught = false;
    bool eaten = false;
    bool handedOver = false;

    if (++Gam_Bonus_Star_Cycle == 121) Gam_Bonus_Star_Cycle = 1;
    Gam_Set_Bonus_Stars();

    const bool ghostTurn = Gam_Ghost_Step_Ticks != 0 && Gam_Tick % Gam_Ghost_Step_Ticks == 0;
    if (ghostTurn) {
        Gam_Move_Ghosts();
        caught = Gam_Check_Chasing_Ghost();
        eaten = Gam_Check_Escaping_Ghost();
    }

    // Chasing ghosts are lit steadily, escaping ones on one tick in four.
    Vid_Display_All_Ghost(false);
    for (int k = 1; k <= ghostsInPlay(); ++k)
        Vid_Display_Ghost(k, Gam_Tick % 4 == 0 || Gam_Ghosts[k].State == Ghost_Chasing);

    if (!caught && !eaten && Gam_Tick % 4 == 0) {
        const std::int32_t m = labyrinth(Gam_Nibbo_Col, Gam_Nibbo_Row);
        bool stepped = true;
        if (Inp_Joystick_Right && (m & Dir_Right))
            ++Gam_Nibbo_Col;
        else if (Inp_Joystick_Up && (m & Dir_Up))
            ++Gam_Nibbo_Row;
        else if (Inp_Joystick_Left && (m & Dir_Left))
            --Gam_Nibbo_Col;
        else if (Inp_Joystick_Down && (m & Dir_Down))
            --Gam_Nibbo_Row;
        else
            stepped = false;
        if (Gam_Nibbo_Col == 11) Gam_Nibbo_Col = 1;
        if (Gam_Nibbo_Col == 0) Gam_Nibbo_Col = 10;

        if (stepped) {
            Vid_Display_All_Nibbo(false);
            Vid_Display_Nibbo(Gam_Nibbo_Col, Gam_Nibbo_Row, true);
            caught = Gam_Check_Chasing_Ghost();
            if (!caught) {  // a catch leaves the cell's content where it is
                std::int32_t& cell = pills(Gam_Nibbo_Col, Gam_Nibbo_Row);
                if (cell == Cell_Pill) {
                    cell = Cell_Empty;
                    displayPill(Gam_Nibbo_Col, Gam_Nibbo_Row, false);
                    --Gam_Pills_Left;
                    Gam_Score += 10;
                    Vid_Display_Panel_Score(Gam_Score, true);
                    tickSound = anyGhostEscaping() ? Snd_Pill_Alt : Snd_Pill;
                }
                if (cell == Cell_Energizer) {
                    cell = Cell_Empty;
                    displayPill(Gam_Nibbo_Col, Gam_Nibbo_Row, false);
                    --Gam_Pills_Left;
                    setAllGhosts(Ghost_Escaping);
                    Gam_Energizer_Time = 1;
                }
                eaten = Gam_Check_Escaping_Ghost();
                if (Gam_Pills_Left == 0) {
                    Gam_Stop_All_Timers();
                    startSequence(TimerId::Stage_Complete, Gam_Stage_Complete_Phase);
                    handedOver = true;
                }
            }
        }
        if (!caught && pills(Gam_Nibbo_Col, Gam_Nibbo_Row) == Cell_Bonus_Star) {
            Gam_Stop_All_Timers();
            pills(Gam_Nibbo_Col, Gam_Nibbo_Row) = Cell_Empty;
            displayPill(Gam_Nibbo_Col, Gam_Nibbo_Row, false);
            Gam_Score += 2000;
            Vid_Display_Panel_Score(Gam_Score, true);
            Gam_Bonus_Star_Score = Gam_Score;
            startSequence(TimerId::Bonus_Star, Gam_Bonus_Star_Phase);
            handedOver = true;
        }
        Gam_Check_New_Life();
    }

    if (caught) {
        Gam_Stop_All_Timers();
        startSequence(TimerId::Miss, Gam_Miss_Phase);
    } else if (eaten) {
        // Also cancels a stage-complete sequence or bonus-star pause started by this step.
        Gam_Stop_All_Timers();
        for (int k = 1; k <= ghostsInPlay(); ++k) Vid_Display_Ghost(k, true);
        startSequence(TimerId::Ghost, Gam_Ghost_Eaten_Phase);
    } else if (!handedOver) {
        if (tickSound) Snd_Play(*tickSound);
        if (++Gam_Tick > 4 * Gam_Ghost_Step_Ticks) Gam_Tick = 1;
        if (Gam_Energizer_Time != 0 && ++Gam_Energizer_Time > 92) {
            Gam_Energizer_Time = 0;
            setAllGhosts(Ghost_Chasing);
        }
    }
}

void Game::Gam_Set_Bonus_Stars() {
    if (Gam_Bonus_Star_Cycle == 1 && Gam_Score != Gam_Bonus_Star_Score) {
        for (int col : {3, 8}) {
            pills(col, 4) = Cell_Bonus_Star;
            displayPill(col, 4, true);
        }
    } else if (Gam_Bonus_Star_Cycle == 24) {
        for (int col : {3, 8}) {
            pills(col, 4) = Cell_Empty;
            displayPill(col, 4, false);
        }
    }
}

void Game::Gam_Check_New_Life() {
    if (Gam_Score >= Gam_Next_Life_Score && Gam_Lives < 2) {
        ++Gam_Lives;
        Vid_Display_Panel_Life(Gam_Lives);
        Gam_Next_Life_Score += 20000;
    }
}

void Game::Timer_Bonus_StarTimer() {
    switch (Gam_Bonus_Star_Phase) {
        case 1:
            Snd_Play(Snd_Bonus);
            timers_.setInterval(TimerId::Bonus_Star, 1000);
            break;
        case 2:
            timers_.setEnabled(TimerId::Game, true);
            timers_.setEnabled(TimerId::Bonus_Star, false);
            break;
        default:
            break;
    }
    ++Gam_Bonus_Star_Phase;
}

void Game::Inp_arrow_up_down() { Inp_Joystick_Up = true; }
void Game::Inp_arrow_up_up() { Inp_Joystick_Up = false; }
void Game::Inp_arrow_left_down() { Inp_Joystick_Left = true; }
void Game::Inp_arrow_left_up() { Inp_Joystick_Left = false; }
void Game::Inp_arrow_right_down() { Inp_Joystick_Right = true; }
void Game::Inp_arrow_right_up() { Inp_Joystick_Right = false; }
void Game::Inp_arrow_down_down() { Inp_Joystick_Down = true; }
void Game::Inp_arrow_down_up() { Inp_Joystick_Down = false; }

}  // namespace zn
