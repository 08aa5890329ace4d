#pragma once
// The game: one state of the simulated device and the operations that run it, driven
// by the six timers and the thirteen input operations. It draws through the display
// operations (Sprites) and makes sound through Snd_Play and Snd_Silence; timers,
// figures, sound and random draws are services of the platform.
#include <array>
#include <cstdint>

#include "engine/services.h"
#include "engine/sprites.h"

namespace zn {

// Device modes (Gam_Mode). Select, play and game-over of one game number are four apart.
constexpr std::int32_t Mode_Off = 0;
constexpr std::int32_t Mode_Power_On = 1;
constexpr std::int32_t Mode_Idle = 2;
constexpr std::int32_t Mode_Select_1 = 3;
constexpr std::int32_t Mode_Select_2 = 4;
constexpr std::int32_t Mode_Select_3 = 5;
constexpr std::int32_t Mode_Select_4 = 6;
constexpr std::int32_t Mode_Play_1 = 7;
constexpr std::int32_t Mode_Play_2 = 8;
constexpr std::int32_t Mode_Play_3 = 9;
constexpr std::int32_t Mode_Play_4 = 10;
constexpr std::int32_t Mode_Game_Over_1 = 11;
constexpr std::int32_t Mode_Game_Over_2 = 12;
constexpr std::int32_t Mode_Game_Over_3 = 13;
constexpr std::int32_t Mode_Game_Over_4 = 14;

// Direction bits of the labyrinth; tried in this order whenever several apply.
constexpr std::int32_t Dir_Right = 1;
constexpr std::int32_t Dir_Up = 2;
constexpr std::int32_t Dir_Left = 4;
constexpr std::int32_t Dir_Down = 8;

// Cell contents (Gam_Pills).
constexpr std::int32_t Cell_Empty = 0;
constexpr std::int32_t Cell_Pill = 1;
constexpr std::int32_t Cell_Energizer = 2;
constexpr std::int32_t Cell_Bonus_Star = 3;

// Ghost states.
constexpr std::int32_t Ghost_Absent = 0;
constexpr std::int32_t Ghost_Chasing = 1;
constexpr std::int32_t Ghost_Escaping = 2;

// The sample handles under the names the game uses for them.
constexpr Sample Snd_Bonus = Sample::Bonus;
constexpr Sample Snd_Energizer = Sample::Energizer;
constexpr Sample Snd_Ghost = Sample::Ghost;
constexpr Sample Snd_Miss = Sample::Miss;
constexpr Sample Snd_Pill = Sample::Pill;
constexpr Sample Snd_Pill_Alt = Sample::Pill_Alt;
constexpr Sample Snd_Stage = Sample::Stage;
constexpr Sample Snd_Start = Sample::Start;

constexpr int kGameCells = 70;  // 10 columns (tunnels included) x 7 rows

// Index of a cell in Gam_Labyrinth and Gam_Pills, columns 1..10, rows 1..7.
constexpr int cellIndex(int col, int row) { return (col - 1) * 7 + (row - 1); }

struct TGhost {
    std::int32_t State = Ghost_Absent;
    std::int32_t Col = 0;
    std::int32_t Row = 0;
};

// The fixed labyrinth: the directions in which a figure may leave each cell.
extern const std::array<std::int32_t, kGameCells> kLabyrinth;

class Game : public Sprites {
public:
    // As at the main window's creation: figure tables built, labyrinth filled, joystick
    // released, every other variable 0 (Mode_Off). Touches no figure, timer or sound.
    Game(TimerService& timers, FigureService& figures, SoundService& sound, RandomService& random);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Called by the platform for every timer event: runs the matching Timer_...Timer handler.
    void onTimer(TimerId t);

    // The thirteen input operations.
    void Inp_power_down();
    void Inp_select_down();
    void Inp_select_up();
    void Inp_start_down();
    void Inp_start_up();
    void Inp_arrow_up_down();
    void Inp_arrow_up_up();
    void Inp_arrow_left_down();
    void Inp_arrow_left_up();
    void Inp_arrow_right_down();
    void Inp_arrow_right_up();
    void Inp_arrow_down_down();
    void Inp_arrow_down_up();

    // Modes and stage set-up.
    void Gam_Set_Mode(std::int32_t mode);  // stores mode in Gam_Mode, then brings everything in line
    void Gam_Set_Mode();                   // brings everything in line with the current Gam_Mode
    void Gam_Stop_All_Timers();
    void Gam_Init_Game();
    void Gam_Init_Stage_Nibbo();
    void Gam_Init_Stage_Ghosts();
    void Gam_Init_Stage_Labyrinth();
    void Gam_Start_Stage();

    // The game tick and what it calls.
    void Gam_Set_Bonus_Stars();
    void Gam_Check_New_Life();
    void Gam_Move_Ghosts();
    bool Gam_Check_Chasing_Ghost() const;
    bool Gam_Check_Escaping_Ghost() const;

    // Timer handlers.
    void Timer_GameTimer();
    void Timer_Demo_StartTimer();
    void Timer_Bonus_StarTimer();
    void Timer_GhostTimer();
    void Timer_MissTimer();
    void Timer_Stage_CompleteTimer();

    // Sound: nothing while Snd_Enabled is false.
    void Snd_Play(Sample s);
    void Snd_Silence();

    // The ghost figure at ghost record k's cell; nothing in a tunnel column.
    void Vid_Display_Ghost(std::int32_t k, bool visible);

    // Game state, as the main window holds it.
    std::int32_t Gam_Mode = Mode_Off;
    std::int32_t Gam_Score = 0;
    std::int32_t Gam_Lives = 0;
    std::int32_t Gam_Next_Life_Score = 0;
    std::int32_t Gam_Stage = 0;
    std::int32_t Gam_Pills_Left = 0;
    std::int32_t Gam_Bonus_Star_Score = 0;
    std::int32_t Gam_Bonus_Star_Cycle = 0;
    std::int32_t Gam_Nibbo_Col = 0;
    std::int32_t Gam_Nibbo_Row = 0;
    std::int32_t Gam_Ghost_Step_Ticks = 0;
    std::int32_t Gam_Ghost_Count = 0;
    std::int32_t Gam_Tick = 0;
    std::int32_t Gam_Energizer_Time = 0;
    std::int32_t Gam_Bonus_Star_Phase = 0;
    std::int32_t Gam_Miss_Phase = 0;
    std::int32_t Gam_Ghost_Eaten_Phase = 0;
    std::int32_t Gam_Stage_Complete_Phase = 0;
    std::array<std::int32_t, kGameCells> Gam_Labyrinth{};
    std::array<std::int32_t, kGameCells> Gam_Pills{};
    std::array<TGhost, 4> Gam_Ghosts{};  // records 1..3; [0] unused
    bool Inp_Joystick_Right = false;
    bool Inp_Joystick_Up = false;
    bool Inp_Joystick_Left = false;
    bool Inp_Joystick_Down = false;
    bool Snd_Enabled = false;  // set by the sound start-up

    std::int32_t& pills(int col, int row) { return Gam_Pills[cellIndex(col, row)]; }
    std::int32_t pills(int col, int row) const { return Gam_Pills[cellIndex(col, row)]; }
    std::int32_t labyrinth(int col, int row) const { return Gam_Labyrinth[cellIndex(col, row)]; }

private:
    // Records 1..ghostsInPlay() are in play; never more than the three that exist.
    int ghostsInPlay() const;
    bool anyGhostEscaping() const;
    bool ghostOnNibbo(std::int32_t state) const;
    std::int32_t ghostDirection(const TGhost& g);
    void startSequence(TimerId t, std::int32_t& phase);
    void setAllGhosts(std::int32_t state);

    TimerService& timers_;
    SoundService& sound_;
    RandomService& random_;
};

}  // namespace zn
