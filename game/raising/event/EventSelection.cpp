// Choosing the event that plays for an occasion.
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>

#include "game/core/Status.h"
#include "game/raising/event/ChooseCandidate.h"
#include "game/raising/event/EventDraw.h"
#include "game/raising/event/EventTable.h"

namespace {

constexpr int32_t kOutcomeKind = 23;
constexpr int32_t kOutcomeSub = 1;

using RowList = std::vector<EventRow*>;

template <typename Pred>
RowList _Filter(const RowList& rows, Pred&& keep) {
    RowList out;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(out), keep);
    return out;
}

RowList _LowestPriority(const RowList& rows) {
    if (rows.empty()) {
        return rows;
    }
    int32_t lowest = INT32_MAX;
    for (const EventRow* r : rows) {
        lowest = std::min(lowest, r->priority);
    }
    return _Filter(rows, [lowest](const EventRow* r) { return r->priority == lowest; });
}

RowList _OfGroup(const RowList& rows, int32_t group) {
    return _Filter(rows, [group](const EventRow* r) { return r->group == group; });
}

EventRow* _ChooseByGroup(const CStatus& status, const RowList& k, int32_t kind, int32_t sub) {
    if (RowList g1 = _OfGroup(k, 1); !g1.empty()) {
        return PickEventAtRandom(g1, status, kind, sub);
    }
    RowList friends = _Filter(k, [](const EventRow* r) { return r->group >= 2 && r->group <= 5; });
    if (!friends.empty()) {
        std::array<bool, 4> flags{};
        for (const EventRow* r : friends) {
            flags[static_cast<size_t>(r->group - 2)] = true;
        }
        const int chosen = ChooseCandidate(status, flags);
        if (friends.size() == 1) {
            return friends.front();
        }
        return PickEventAtRandom(_OfGroup(friends, chosen + 2), status, kind, sub);
    }
    if (RowList g10 = _OfGroup(k, 10); !g10.empty()) {
        return PickEventAtRandom(g10, status, kind, sub);
    }
    const int32_t a = status.GetParam(101, 16);
    const int32_t b = status.GetParam(101, 17);
    const int32_t c = status.GetParam(101, 18);
    int32_t single = 0;
    if (a > b && a > c) {
        single = 11;
    } else if (b > a && b > c) {
        single = 12;
    } else if (c > a && c > b) {
        single = 13;
    }
    RowList counted = _Filter(k, [single](const EventRow* r) {
        return single != 0 ? r->group == single : (r->group >= 11 && r->group <= 13);
    });
    if (!counted.empty()) {
        return PickEventAtRandom(counted, status, kind, sub);
    }
    for (int32_t group : {0, 6, 7, 8, 9}) {
        if (RowList g = _OfGroup(k, group); !g.empty()) {
            return PickEventAtRandom(g, status, kind, sub);
        }
    }
    return PickEventAtRandom(k, status, kind, sub);
}

// The draw r of a pass test: the whole part of the score against r + offset; a tie
// draws again.
bool _ScoreBeats(double score, uint32_t range, int offset) {
    const double whole = std::trunc(score);
    for (;;) {
        const double t = static_cast<double>(EventDraw(EVENT_DRAW_SELECT, range)) + offset;
        if (whole != t) {
            return whole > t;
        }
    }
}

bool _InLateSeason(const CStatus& status) {
    const int32_t season = status.GetParam(107, 0);
    return season >= 5 && season <= 8;
}

struct SOutcome {
    bool passed = false;
    int side = 0;
    int grade = 0;
    bool top = false;
    bool helped = false;
    int place = 4;
};

SOutcome _WorkOutOutcome(CStatus& status) {
    SStatusWords& w = status.Words();
    auto p = [&status](int c, int i) { return static_cast<int64_t>(status.GetParam(c, i)); };
    SOutcome o;

    const int64_t t = p(100, 8) / 2 + p(100, 1) + p(100, 2) - 50;
    double score = static_cast<double>(t) * 0.5 * (w.boostA * 0.05 + 1.0);
    if (_InLateSeason(status)) {
        score *= 0.8;
    }
    o.passed = _ScoreBeats(score, 71, 10);

    const int64_t personality = p(100, 0);
    const uint32_t sideDraw = EventDraw(EVENT_DRAW_SELECT, 100);
    o.side = personality >= 50 ? (sideDraw < 76 ? 1 : 0) : (sideDraw > 75 ? 1 : 0);

    const int64_t base = o.side == 1 ? p(100, 4) : p(100, 7);
    const double factor = (personality >= 50) == (o.side == 1) ? 0.1 : 0.05;
    const int64_t d = p(100, 8) + personality - (personality >= 50 ? 50 : 0);
    double score2 = (static_cast<double>(base) * factor + static_cast<double>(d)) * 0.5 *
                    ((static_cast<double>(w.boostA) + w.boostB) * 0.1 + 1.0);
    if (_InLateSeason(status)) {
        score2 *= 0.8;
    }
    o.grade = _ScoreBeats(score2, 76, 5) ? 1 : 0;

    if (o.grade == 1) {
        const int64_t sports = p(100, 4);
        const int64_t housework = p(100, 7);
        o.top = o.side == 0 ? (housework >= 20 && housework > sports) : (sports >= 20 && sports >= housework);
        if (o.top) {
            o.grade = 2;
        }
    }

    const bool set[3] = {p(132, 25) != 0, p(132, 26) != 0, p(132, 27) != 0};
    const int64_t friendValue[3] = {p(101, 16) / 2, p(101, 17) / 2, p(101, 18) / 2};
    const int n = set[0] + set[1] + set[2];
    if (n > 0) {
        int64_t chance = n == 3 ? 80 : 20 * n;
        for (int i = 0; i < 3; ++i) {
            if (set[i]) {
                chance += friendValue[i];
            }
        }
        o.helped = static_cast<int64_t>(EventDraw(EVENT_DRAW_SELECT, 100)) <= chance;
    }

    static constexpr uint32_t kRanges[3][4] = {{31, 26, 21, 31}, {21, 31, 26, 31}, {26, 21, 31, 31}};
    const uint32_t* ranges = kRanges[!o.passed ? 2 : (o.side == 1 ? 0 : 1)];
    int64_t s[4];
    const int64_t values[4] = {friendValue[0], friendValue[1], friendValue[2],
                               (friendValue[0] + friendValue[1] + friendValue[2]) / 3};
    for (int i = 0; i < 4; ++i) {
        s[i] = static_cast<int64_t>(EventDraw(EVENT_DRAW_SELECT, ranges[i])) + values[i];
    }
    const bool valid[4] = {set[0], set[1], set[2], set[0] && set[1] && set[2]};
    int64_t best = INT64_MIN;
    for (int i = 0; i < 4; ++i) {
        if (valid[i]) {
            best = std::max(best, s[i]);
        }
    }
    auto isBest = [&](int i) { return valid[i] && s[i] == best; };
    static constexpr int kOrder[3][4] = {{3, 0, 1, 2}, {3, 2, 1, 0}, {3, 2, 0, 1}};
    for (int i : kOrder[!o.passed ? 2 : (o.side == 1 ? 0 : 1)]) {
        if (isBest(i)) {
            o.place = i;
            break;
        }
    }

    if (o.passed && o.helped && o.grade > 0) {
        if (o.place == 0 && o.side == 1) {
            ++o.grade;
        }
        if (o.place == 1 && o.side == 0) {
            ++o.grade;
        }
        if (o.place == 3) {
            o.grade += 2;
        }
    }

    w.outcomeGrade = o.grade;
    w.outcomePlace = o.place;
    w.outcomePass = o.passed ? 1 : 0;
    w.outcomeSide = o.side;
    w.outcomeHelped = o.helped ? 1 : 0;
    w.outcomeTop = o.top ? 1 : 0;
    return o;
}

bool _SideFits(const EventRow* r, int side) { return side == 0 ? r->sideFilter != 2 : r->sideFilter != 1; }

}  // namespace

EventRow* PickEventAtRandom(const RowList& rows, const CStatus& status, int32_t kind, int32_t sub) {
    if (rows.empty()) {
        return nullptr;
    }
    if (rows.size() == 1) {
        return rows.front();
    }
    const uint32_t count = static_cast<uint32_t>(rows.size());
    int32_t last = 0;
    const bool found = status.FindFlag(kind, sub, &last);
    // When every row is the remembered event no draw can avoid it: the first one stands.
    const bool avoidable =
        found && std::any_of(rows.begin(), rows.end(), [last](const EventRow* r) { return r->id != last; });
    for (;;) {
        EventRow* row = rows[EventDraw(EVENT_DRAW_PICK, count)];
        if (!avoidable || row->id != last) {
            return row;
        }
    }
}

std::vector<EventRow*> CEventTable::_Candidates(const CStatus& status, int32_t kind, int32_t sub,
                                                bool lowestOnly) const {
    RowList out;
    for (const auto& row : m_Rows) {
        if (row->kind != kind || row->sub != sub) {
            continue;
        }
        if (!std::all_of(row->conditions.begin(), row->conditions.end(),
                         [&status](const EventTerm& t) { return EvaluateCondition(status, t); })) {
            continue;
        }
        if (row->once && status.HasSeenEvent(row->id)) {
            continue;
        }
        out.push_back(row.get());
    }
    return lowestOnly ? _LowestPriority(out) : out;
}

EventRow* CEventTable::SelectEvent(CStatus& status, int32_t kind, int32_t sub) {
    RowList k = _Candidates(status, kind, sub, true);
    if (k.empty()) {
        return nullptr;
    }
    if (kind == kOutcomeKind && sub == kOutcomeSub) {
        return _SelectOutcome(status, std::move(k));
    }
    EventRow* row = _ChooseByGroup(status, k, kind, sub);
    if (row) {
        row->result = 0;
    }
    return row;
}

EventRow* CEventTable::_SelectOutcome(CStatus& status, std::vector<EventRow*> k) {
    if (status.Words().outcomeRestricted != 0) {
        std::erase_if(k, [](const EventRow* r) { return r->outcomeClass == 0; });
    }
    if (RowList plain = _Filter(k, [](const EventRow* r) { return r->outcomeClass == 0; }); !plain.empty()) {
        EventRow* row = _ChooseByGroup(status, plain, kOutcomeKind, kOutcomeSub);
        if (row) {
            row->result = 0;
        }
        return row;
    }
    k = _Candidates(status, kOutcomeKind, kOutcomeSub, false);
    const SOutcome o = _WorkOutOutcome(status);
    auto pick = [&status](const RowList& rows, int32_t result) {
        EventRow* row = PickEventAtRandom(rows, status, kOutcomeKind, kOutcomeSub);
        if (row) {
            row->result = result;
        }
        return row;
    };

    if (!o.passed) {
        auto placeFits = [&o](const EventRow* r) {
            return r->placeFilter == 0 || r->placeFilter == (o.helped ? o.place + 1 : 5);
        };
        RowList l1 = _LowestPriority(
            _Filter(k, [&](const EventRow* r) { return r->outcomeClass == 1 && _SideFits(r, o.side) && placeFits(r); }));
        RowList l2 = _LowestPriority(_Filter(k, [](const EventRow* r) { return r->outcomeClass == 4; }));
        if (!l1.empty() && !l2.empty()) {
            const int64_t mood = (static_cast<int64_t>(status.GetParam(100, 8)) + status.GetParam(100, 2)) / 2;
            const bool second = mood < static_cast<int64_t>(EventDraw(EVENT_DRAW_SELECT, 101));
            return pick(second ? l2 : l1, 0);
        }
        if (!l1.empty() || !l2.empty()) {
            return pick(l1.empty() ? l2 : l1, 0);
        }
        RowList l3 = _LowestPriority(_Filter(k, [&](const EventRow* r) {
            return r->outcomeClass == 3 && _SideFits(r, o.side) && (r->placeFilter == 0 || r->placeFilter == 5);
        }));
        return pick(l3, 0);
    }

    const int g = o.grade;
    auto fits = [&](const EventRow* r, int side) {
        if (r->outcomeClass != (g > 0 ? 2 : 3) || !_SideFits(r, side)) {
            return false;
        }
        if (!o.helped) {
            return r->placeFilter == 0 || r->placeFilter == 5;
        }
        return g == 0 || r->placeFilter == 0 || r->placeFilter == o.place + 1;
    };
    RowList l1 = _LowestPriority(_Filter(k, [&](const EventRow* r) { return fits(r, o.side); }));
    if (!l1.empty()) {
        return pick(l1, g);
    }
    return pick(_LowestPriority(_Filter(k, [&](const EventRow* r) { return fits(r, 1 - o.side); })), g);
}
