// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/companion_place.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>

namespace brisko {

namespace {

int64_t area(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : int64_t(common.width()) * common.height();
}

// What the frame at `at` hides of what the window shows.
int64_t hidden(const QRect& frame, const PlaceRoom& room) {
    if (room.shown.isEmpty()) return area(frame, room.table);
    int64_t sum = 0;
    for (const QRect& part : room.shown) sum += area(frame, part);
    return sum;
}

// `at` moved as little as it takes to bring the whole frame onto the screen
// (its top-left corner first when the frame is larger than the screen).
QPoint onScreen(QPoint at, const PlaceRoom& room) {
    const QRect& s = room.screen;
    at.setX(std::max(std::min(at.x(), s.right() + 1 - room.size.width()), s.left()));
    at.setY(std::max(std::min(at.y(), s.bottom() + 1 - room.size.height()), s.top()));
    return at;
}

}  // namespace

QPoint companionPlace(const PlaceRoom& room) {
    const int w = room.size.width();
    const int h = room.size.height();
    const QRect& s = room.screen;
    const QRect& t = room.table;
    if (t.right() + 1 + w <= s.right() + 1) return onScreen({t.right() + 1, t.top()}, room);
    if (t.left() - w >= s.left()) return onScreen({t.left() - w, t.top()}, room);
    // No side has room: try the frame against every edge of the screen, the
    // table and the cards, and keep the place that hides the least.
    const std::array<int, 6> xs = {
        s.left(),          t.left(),         room.cards.left() - w, room.cards.right() + 1,
        t.right() + 1 - w, s.right() + 1 - w};
    const std::array<int, 6> ys = {s.top(),
                                   t.top(),
                                   room.cards.top() - h,
                                   room.cards.bottom() + 1,
                                   t.bottom() + 1 - h,
                                   s.bottom() + 1 - h};
    const QPoint beside(t.right() + 1 - w, t.top());
    QPoint best;
    std::tuple<int64_t, int64_t, int> bestCost{INT64_MAX, INT64_MAX, INT32_MAX};
    for (int x : xs) {
        for (int y : ys) {
            const QPoint at = onScreen({x, y}, room);
            const QRect frame(at, room.size);
            const std::tuple<int64_t, int64_t, int> cost{
                area(frame, room.cards), hidden(frame, room), (at - beside).manhattanLength()};
            if (cost < bestCost) {
                bestCost = cost;
                best = at;
            }
        }
    }
    return best;
}

std::optional<QPoint> chosenPlace(const PlaceRoom& room, QPoint offset) {
    const QPoint at = onScreen(room.table.topLeft() + offset, room);
    if (QRect(at, room.size).intersects(room.cards)) return std::nullopt;
    return at;
}

CompanionFit fitCompanion(PlaceRoom room, const std::function<QSize(int)>& sizeAt, int tableM,
                          int leastM, std::optional<QPoint> chosen) {
    // The player's place, then companionPlace, at the scale `m`, if one
    // spares the cards.
    const auto spares = [&](PlaceRoom r, int m) -> std::optional<CompanionFit> {
        r.size = sizeAt(m);
        if (chosen) {
            if (std::optional<QPoint> at = chosenPlace(r, *chosen)) return CompanionFit{*at, m};
        }
        const QPoint at = companionPlace(r);
        if (QRect(at, r.size).intersects(r.cards)) return std::nullopt;
        return CompanionFit{at, m};
    };
    if (std::optional<CompanionFit> fit = spares(room, tableM)) return *fit;
    // The largest scale at which the frame fits in one of the four rooms
    // the cards leave on the screen; a frame grows with its scale.
    const QRect& s = room.screen;
    const QRect& c = room.cards;
    const std::array<QRect, 4> rooms = {
        QRect(QPoint(s.left(), s.top()), QPoint(s.right(), c.top() - 1)),
        QRect(QPoint(s.left(), c.bottom() + 1), QPoint(s.right(), s.bottom())),
        QRect(QPoint(s.left(), s.top()), QPoint(c.left() - 1, s.bottom())),
        QRect(QPoint(c.right() + 1, s.top()), QPoint(s.right(), s.bottom()))};
    std::optional<CompanionFit> best;
    int64_t bestHidden = 0;
    for (const QRect& r : rooms) {
        if (r.isEmpty()) continue;
        int low = leastM;
        int high = tableM;
        if (!r.contains(QRect(r.topLeft(), sizeAt(low)))) continue;
        while (low < high) {  // the largest scale that fits
            const int mid = (low + high + 1) / 2;
            if (r.contains(QRect(r.topLeft(), sizeAt(mid)))) {
                low = mid;
            } else {
                high = mid - 1;
            }
        }
        PlaceRoom inside = room;
        inside.screen = r;
        const std::optional<CompanionFit> fit = spares(inside, low);
        if (!fit) continue;
        const int64_t hides = hidden(QRect(fit->at, sizeAt(fit->m)), room);
        if (!best || hides < bestHidden || (hides == bestHidden && fit->m > best->m)) {
            best = fit;
            bestHidden = hides;
        }
    }
    if (best) return *best;
    // No room spares them: the smallest frame, which hides the least of them.
    room.size = sizeAt(leastM);
    return {companionPlace(room), leastM};
}

}  // namespace brisko
