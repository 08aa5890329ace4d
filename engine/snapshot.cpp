#include "engine/snapshot.h"

namespace zn {
namespace {

char bit(bool b) { return b ? '1' : '0'; }

constexpr const char* kTimerNames[kTimerCount] = {"Game",  "Demo_Start", "Bonus_Star",
                                                  "Ghost", "Miss",       "Stage_Complete"};

}  // namespace

std::string showFigures(const FigureTable& f) {
    std::string out = "panel screen=";
    out += bit(f.visible(img::im_background_screen));
    out += " power=";
    out += bit(f.visible(img::btn_power_on));
    out += " select=";
    out += bit(f.visible(img::btn_select_down));
    out += " start=";
    out += bit(f.visible(img::btn_start_down));
    out += " gameover=";
    out += bit(f.visible(img::im_panel_gameover));
    out += " lives=";
    out += std::to_string(int(f.visible(img::im_panel_lives_1)) + int(f.visible(img::im_panel_lives_2)));
    out += " digits=";
    for (int p = 1; p <= 5; ++p) {
        if (!f.visible(img::im_panel_digit_pos(p))) {
            out += '-';
        } else {
            const int d = f.panelDigit(p);
            out += d < 0 ? '_' : static_cast<char>('0' + d);
        }
    }
    out += '\n';
    for (int row = 7; row >= 1; --row) {
        out += "row " + std::to_string(row) + ' ';
        for (int col = 2; col <= 9; ++col) {
            int v = 0;
            if (!img::isHouse(col, row)) {
                v += f.visible(img::im_nibbo(col, row)) ? 1 : 0;
                v += f.visible(img::im_pill(col, row)) ? 2 : 0;
            }
            v += f.visible(img::im_ghost(col, row)) ? 4 : 0;
            out += static_cast<char>('0' + v);
        }
        out += '\n';
    }
    return out;
}

std::string showState(const Game& g, const TimerService& timers) {
    auto n = [](std::int64_t v) { return std::to_string(v); };
    std::string out = "state mode=" + n(g.Gam_Mode) + " score=" + n(g.Gam_Score) +
                      " lives=" + n(g.Gam_Lives) + " stage=" + n(g.Gam_Stage) +
                      " pills_left=" + n(g.Gam_Pills_Left) + " next_life=" + n(g.Gam_Next_Life_Score) +
                      " star_score=" + n(g.Gam_Bonus_Star_Score) +
                      " star_cycle=" + n(g.Gam_Bonus_Star_Cycle) + " tick=" + n(g.Gam_Tick) +
                      " energizer=" + n(g.Gam_Energizer_Time) + " step_ticks=" + n(g.Gam_Ghost_Step_Ticks) +
                      " ghost_count=" + n(g.Gam_Ghost_Count) + " nibbo=" + n(g.Gam_Nibbo_Col) + ',' +
                      n(g.Gam_Nibbo_Row) + " ghosts=";
    for (int k = 1; k <= 3; ++k) {
        const TGhost& gh = g.Gam_Ghosts[k];
        if (k > 1) out += '/';
        out += n(gh.State) + ',' + n(gh.Col) + ',' + n(gh.Row);
    }
    out += " joystick=";
    out += g.Inp_Joystick_Right ? 'R' : '-';
    out += g.Inp_Joystick_Up ? 'U' : '-';
    out += g.Inp_Joystick_Left ? 'L' : '-';
    out += g.Inp_Joystick_Down ? 'D' : '-';
    out += " timers=";
    bool any = false;
    for (int i = 0; i < kTimerCount; ++i) {
        const auto t = static_cast<TimerId>(i);
        if (!timers.enabled(t)) continue;
        if (any) out += ',';
        out += std::string(kTimerNames[i]) + ':' + n(timers.interval(t));
        any = true;
    }
    if (!any) out += "none";
    out += '\n';
    for (int row = 7; row >= 1; --row) {
        out += "cells " + n(row) + ' ';
        for (int col = 1; col <= 10; ++col) out += static_cast<char>('0' + g.pills(col, row));
        out += '\n';
    }
    return out;
}

}  // namespace zn
