// Ghost movement and the encounter checks. A chasing ghost takes the short way round
// rows 3 and 5 when it shares them with Nibbo and otherwise only refuses the one
// direction leading away from Nibbo; an escaping ghost refuses the one leading toward
// it. What remains is chosen by a rejection draw over the open directions.
#include "engine/game.h"

namespace zn {
namespace {

void drop(std::int32_t& mask, std::int32_t dir) { mask &= ~dir; }

}  // namespace

std::int32_t Game::ghostDirection(const TGhost& g) {
    const std::int32_t gc = g.Col, gr = g.Row, nc = Gam_Nibbo_Col, nr = Gam_Nibbo_Row;
    std::int32_t a = labyrinth(gc, gr);

    if (g.State == Ghost_Chasing) {
        if (gr == 5 && nr == 5) {  // row 5 is a ring of ten open cells through the tunnel
            const std::int32_t d = gc - nc;
            if (d <= -5) return Dir_Left;
            if (d < 0) return Dir_Right;
            if (d >= 5) return Dir_Right;
            if (d > 0) return Dir_Left;
        } else if (gr == 3 && nr == 3) {  // row 3's halves meet only through the tunnel
            if (gc <= 5 && nc >= 6) return Dir_Left;
            if (gc >= 6 && nc <= 5) return Dir_Right;
            if (gc > nc) return Dir_Left;
            if (gc < nc) return Dir_Right;
        } else if (gr == nr) {
            if (gc < nc)
                drop(a, Dir_Left);
            else if (gc > nc)
                drop(a, Dir_Right);
        } else if (gc == nc) {
            if (gr < nr)
                drop(a, Dir_Down);
            else if (gr > nr)
                drop(a, Dir_Up);
        }
    } else if (g.State == Ghost_Escaping) {
        if (gr == nr && gc != 1 && gc != 10) {
            if (gc < nc)
                drop(a, Dir_Right);
            else if (gc > nc)
                drop(a, Dir_Left);
        } else if (gc == nc) {
            if (gr < nr)
                drop(a, Dir_Up);
            else if (gr > nr)
                drop(a, Dir_Down);
        }
    }

    // Every attempt takes one value, however many are refused: a script's queue of forced
    // values is consumed exactly, and the random source (uniform by contract) ends the draw.
    if (a == 0) return 0;  // a closed cell: never reached with the fixed labyrinth
    for (;;) {
        const std::int32_t d = 1 << (random_.draw4() & 3);
        if (a & d) return d;
    }
}

void Game::Gam_Move_Ghosts() {
    for (int k = 1; k <= ghostsInPlay(); ++k) {
        TGhost& g = Gam_Ghosts[k];
        switch (ghostDirection(g)) {
            case Dir_Right:
                ++g.Col;
                break;
            case Dir_Up:
                ++g.Row;
                break;
            case Dir_Left:
                --g.Col;
                break;
            case Dir_Down:
                --g.Row;
                break;
            default:
                break;
        }
        if (g.Col == 11) g.Col = 1;
        if (g.Col == 0) g.Col = 10;
    }
}

bool Game::ghostOnNibbo(std::int32_t state) const {
    if (Gam_Nibbo_Col < 2 || Gam_Nibbo_Col > 9) return false;  // no contact in the tunnel
    for (int k = 1; k <= ghostsInPlay(); ++k) {
        const TGhost& g = Gam_Ghosts[k];
        if (g.State == state && g.Col == Gam_Nibbo_Col && g.Row == Gam_Nibbo_Row) return true;
    }
    return false;
}

bool Game::Gam_Check_Chasing_Ghost() const { return ghostOnNibbo(Ghost_Chasing); }
bool Game::Gam_Check_Escaping_Ghost() const { return ghostOnNibbo(Ghost_Escaping); }

}  // namespace zn
