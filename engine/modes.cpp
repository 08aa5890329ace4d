// The device's modes, the buttons that change them, and the set-up of games and stages.
#include "engine/game.h"

namespace zn {
namespace {

bool isSelectMode(std::int32_t m) { return m >= Mode_Select_1 && m <= Mode_Select_4; }
bool isPlayMode(std::int32_t m) { return m >= Mode_Play_1 && m <= Mode_Play_4; }
bool isGameOverMode(std::int32_t m) { return m >= Mode_Game_Over_1 && m <= Mode_Game_Over_4; }

}  // namespace

void Game::Gam_Set_Mode(std::int32_t mode) {
    Gam_Mode = mode;
    Gam_Set_Mode();
}

void Game::Gam_Set_Mode() {
    if (Gam_Mode == Mode_Off) {
        Gam_Stop_All_Timers();
        Snd_Silence();
        Vid_Display_All_Sprites(false);
        showFigure(img::im_background_screen, false);
    } else if (Gam_Mode == Mode_Power_On) {
        Gam_Stop_All_Timers();
        Snd_Silence();
        Vid_Display_All_Sprites(false);
        std::int32_t zero = 0;
        Vid_Display_Panel_Score(zero, true);
        showFigure(img::im_background_screen, true);
        Snd_Play(Snd_Start);
        timers_.setInterval(TimerId::Demo_Start, 2980);
        timers_.setEnabled(TimerId::Demo_Start, true);
    } else if (isSelectMode(Gam_Mode)) {
        Vid_Display_All_Sprites(false);
        std::int32_t zero = 0;
        Vid_Display_Panel_Score(zero, false);
        displayPanelDigit(1, Gam_Mode - 2);
    } else if (isPlayMode(Gam_Mode)) {
        showFigure(img::im_panel_gameover, false);
        Gam_Init_Game();
    }
    // Mode_Idle keeps the power-on display; a game-over mode keeps what the miss sequence drew.
}

void Game::Gam_Init_Game() {
    Gam_Score = 0;
    Vid_Display_Panel_Score(Gam_Score, true);
    Gam_Lives = 2;
    Vid_Display_Panel_Life(Gam_Lives);
    Gam_Stage = 1;
    Gam_Next_Life_Score = 20000;
    Gam_Bonus_Star_Score = -10;
    Gam_Init_Stage_Nibbo();
    Gam_Init_Stage_Ghosts();
    Gam_Init_Stage_Labyrinth();
    for (int col : {3, 8}) {
        pills(col, 4) = Cell_Bonus_Star;
        displayPill(col, 4, true);
    }
    Gam_Bonus_Star_Cycle = 4;  // the stars go out on the 20th tick
    Gam_Start_Stage();
}

void Game::Gam_Init_Stage_Nibbo() {
    Gam_Nibbo_Col = 6;
    Gam_Nibbo_Row = 3;
    Gam_Energizer_Time = 0;
    Vid_Display_All_Nibbo(false);
    Vid_Display_Nibbo(Gam_Nibbo_Col, Gam_Nibbo_Row, true);
}

void Game::Gam_Init_Stage_Ghosts() {
    const bool first = Gam_Stage <= 1;
    const bool second = Gam_Stage == 2;
    switch (Gam_Mode) {
        case Mode_Play_1:
            Gam_Ghost_Step_Ticks = 5;
            Gam_Ghost_Count = first ? 1 : 2;
            break;
        case Mode_Play_2:
            Gam_Ghost_Step_Ticks = 5;
            Gam_Ghost_Count = first ? 1 : second ? 2 : 3;
            break;
        case Mode_Play_3:
            Gam_Ghost_Step_Ticks = first || second ? 5 : 2;
            Gam_Ghost_Count = first ? 1 : second ? 2 : 3;
            break;
        case Mode_Play_4:
            Gam_Ghost_Step_Ticks = 2;
            Gam_Ghost_Count = first ? 2 : 3;
            break;
        default:
            break;  // outside play both keep their values
    }
    for (int k = 1; k <= 3; ++k) {
        Gam_Ghosts[k].State = k <= Gam_Ghost_Count ? Ghost_Chasing : Ghost_Absent;
        Gam_Ghosts[k].Col = k == 1 ? 5 : 6;
        Gam_Ghosts[k].Row = 4;
    }
    Vid_Display_All_Ghost(false);
    for (int k = 1; k <= ghostsInPlay(); ++k) Vid_Display_Ghost(k, true);
}

void Game::Gam_Init_Stage_Labyrinth() {
    for (int col = 2; col <= 9; ++col) {
        for (int row : {1, 3, 5, 7}) pills(col, row) = Cell_Pill;
        if (col != 3 && col != 8)
            for (int row : {2, 4, 6}) pills(col, row) = Cell_Pill;
    }
    for (int col : {3, 8})
        for (int row : {2, 6}) pills(col, row) = Cell_Energizer;
    pills(5, 4) = pills(6, 4) = Cell_Empty;
    pills(1, 3) = pills(1, 5) = pills(10, 3) = pills(10, 5) = Cell_Empty;
    Gam_Set_Bonus_Stars();  // the star cells otherwise keep what they held
    Gam_Pills_Left = 52;
    for (int col = 2; col <= 9; ++col)
        for (int row = 1; row <= 7; ++row)
            if (!img::isHouse(col, row)) displayPill(col, row, pills(col, row) != Cell_Empty);
}

void Game::Gam_Start_Stage() {
    Gam_Tick = 1;
    timers_.setInterval(TimerId::Game, 120);
    timers_.setEnabled(TimerId::Game, true);
}

void Game::Timer_Demo_StartTimer() {
    Gam_Mode = Mode_Idle;
    Gam_Set_Mode();
    timers_.setEnabled(TimerId::Demo_Start, false);
}

void Game::Inp_power_down() {
    Gam_Mode = Gam_Mode == Mode_Off ? Mode_Power_On : Mode_Off;
    Gam_Set_Mode();
    showFigure(img::btn_power_on, Gam_Mode == Mode_Power_On);
}

void Game::Inp_select_down() {
    showFigure(img::btn_select_down, true);
    if (Gam_Mode == Mode_Idle || Gam_Mode == Mode_Select_4 || isGameOverMode(Gam_Mode))
        Gam_Set_Mode(Mode_Select_1);
    else if (isSelectMode(Gam_Mode))
        Gam_Set_Mode(Gam_Mode + 1);
}

void Game::Inp_select_up() { showFigure(img::btn_select_down, false); }

void Game::Inp_start_down() {
    showFigure(img::btn_start_down, true);
    if (isSelectMode(Gam_Mode))
        Gam_Set_Mode(Gam_Mode + 4);
    else if (isGameOverMode(Gam_Mode))
        Gam_Set_Mode(Gam_Mode - 4);
}

void Game::Inp_start_up() { showFigure(img::btn_start_down, false); }

}  // namespace zn
