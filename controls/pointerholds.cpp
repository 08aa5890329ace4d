#include "controls/pointerholds.h"

#include <algorithm>

namespace zn {

PointerHolds::Pointer* PointerHolds::find(int pointer) {
    auto it = std::find_if(pointers_.begin(), pointers_.end(),
                           [pointer](const Pointer& p) { return p.id == pointer; });
    return it == pointers_.end() ? nullptr : &*it;
}

bool PointerHolds::hold(Pointer& p, std::optional<Control> c) {
    p.control = c;
    if (!c) return false;
    return holders_[static_cast<std::size_t>(*c)]++ == 0 || !hasRelease(*c);
}

PointerHolds::Take PointerHolds::take(int pointer, std::optional<Control> c, bool rocks) {
    if (find(pointer)) return Take::AlreadyHolding;
    return hold(pointers_.emplace_back(Pointer{pointer, std::nullopt, rocks}), c) ? Take::Press
                                                                                  : Take::Nothing;
}

std::optional<Control> PointerHolds::letGo(int pointer) {
    Pointer* p = find(pointer);
    if (!p) return std::nullopt;
    const std::optional<Control> c = p->control;
    pointers_.erase(pointers_.begin() + (p - pointers_.data()));
    if (c && --holders_[static_cast<std::size_t>(*c)] == 0) return c;
    return std::nullopt;
}

PointerHolds::Rock PointerHolds::rock(int pointer, std::optional<Control> to) {
    Pointer* p = find(pointer);
    if (!p || !p->rocks || p->control == to) return {};
    Rock r{true, std::nullopt, std::nullopt};
    if (p->control && --holders_[static_cast<std::size_t>(*p->control)] == 0) r.release = p->control;
    if (hold(*p, to)) r.press = to;
    return r;
}

void PointerHolds::keyDown(int code, Control c) {
    if (!hasRelease(c)) return;
    auto it = std::find_if(keys_.begin(), keys_.end(), [code](const auto& k) { return k.first == code; });
    if (it != keys_.end())
        it->second = c;
    else
        keys_.emplace_back(code, c);
}

void PointerHolds::keyUp(int code) {
    std::erase_if(keys_, [code](const auto& k) { return k.first == code; });
}

std::vector<Control> PointerHolds::forget() {
    std::vector<Control> held;
    const auto add = [&held](Control c) {
        if (std::find(held.begin(), held.end(), c) == held.end()) held.push_back(c);
    };
    for (const auto& k : keys_) add(k.second);
    for (const Pointer& p : pointers_)
        if (p.control) add(*p.control);
    keys_.clear();
    pointers_.clear();
    holders_.fill(0);
    return held;
}

}  // namespace zn
