#include "engine/snapshot.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>

namespace zn {
namespace {

char bit(bool b) { return b ? '1' : '0'; }
char digit(int d) { return static_cast<char>('0' + d); }  // d in 0..9

void appendNumber(std::string& out, std::int64_t v) {
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, v).ptr);
}

// A cell's figures; the ghost house has no Nibbo or pill figures.
struct Cell {
    std::optional<ImageId> nibbo, pill;
    ImageId ghost{};
};

// Looked up once: an image number is a count along the figure stack.
const Cell& gridCell(int col, int row) {
    static const auto cells = [] {
        std::array<std::array<Cell, 8>, 10> out{};  // [col][row], col 2..9, row 1..7
        for (int col = 2; col <= 9; ++col)
            for (int row = 1; row <= 7; ++row) {
                Cell& cell = out[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
                if (!img::isHouse(col, row)) {
                    cell.nibbo = img::im_nibbo(col, row);
                    cell.pill = img::im_pill(col, row);
                }
                cell.ghost = img::im_ghost(col, row);
            }
        return out;
    }();
    return cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

constexpr const char* kTimerNames[kTimerCount] = {"Game",  "Demo_Start", "Bonus_Star",
                                                  "Ghost", "Miss",       "Stage_Complete"};

}  // namespace

std::string showFigures(const FigureTable& f) {
    std::string out;
    out.reserve(128);
    out += "panel screen=";
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
    out += digit(int(f.visible(img::im_panel_lives_1)) + int(f.visible(img::im_panel_lives_2)));
    out += " digits=";
    for (int p = 1; p <= 5; ++p) {
        if (!f.visible(img::im_panel_digit_pos(p))) {
            out += '-';
        } else {
            const int d = f.panelDigit(p);
            out += d < 0 ? '_' : digit(d);
        }
    }
    out += '\n';
    for (int row = 7; row >= 1; --row) {
        out += "row ";
        out += digit(row);
        out += ' ';
        for (int col = 2; col <= 9; ++col) {
            const Cell& cell = gridCell(col, row);
            int v = 0;
            if (cell.nibbo) v += f.visible(*cell.nibbo) ? 1 : 0;
            if (cell.pill) v += f.visible(*cell.pill) ? 2 : 0;
            v += f.visible(cell.ghost) ? 4 : 0;
            out += digit(v);
        }
        out += '\n';
    }
    return out;
}

std::string showState(const Game& g, const TimerService& timers) {
    // Built in one string: the script driver may show the state after every line.
    std::string out;
    out.reserve(384);
    auto n = [&out](std::string_view label, std::int64_t v) {
        out += label;
        appendNumber(out, v);
    };
    n("state mode=", g.Gam_Mode);
    n(" score=", g.Gam_Score);
    n(" lives=", g.Gam_Lives);
    n(" stage=", g.Gam_Stage);
    n(" pills_left=", g.Gam_Pills_Left);
    n(" next_life=", g.Gam_Next_Life_Score);
    n(" star_score=", g.Gam_Bonus_Star_Score);
    n(" star_cycle=", g.Gam_Bonus_Star_Cycle);
    n(" tick=", g.Gam_Tick);
    n(" energizer=", g.Gam_Energizer_Time);
    n(" step_ticks=", g.Gam_Ghost_Step_Ticks);
    n(" ghost_count=", g.Gam_Ghost_Count);
    n(" nibbo=", g.Gam_Nibbo_Col);
    n(",", g.Gam_Nibbo_Row);
    out += " ghosts=";
    for (int k = 1; k <= 3; ++k) {
        const TGhost& gh = g.Gam_Ghosts[k];
        n(k > 1 ? "/" : "", gh.State);
        n(",", gh.Col);
        n(",", gh.Row);
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
        out += kTimerNames[i];
        n(":", timers.interval(t));
        any = true;
    }
    if (!any) out += "none";
    out += '\n';
    for (int row = 7; row >= 1; --row) {
        n("cells ", row);
        out += ' ';
        for (int col = 1; col <= 10; ++col) out += static_cast<char>('0' + g.pills(col, row));
        out += '\n';
    }
    return out;
}

}  // namespace zn
