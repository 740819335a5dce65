#pragma once
// The choice among up to four flagged candidates (the friends 0 to 3), used by the
// event selection and by the screens that pick a friend's event.
#include <array>

class CStatus;

// -1 when no flag is set; the one flagged index when one is; otherwise the flagged
// index with the greatest (106, i), ties broken by (106, 4 + i), then (106, 12 + i),
// then by a draw of its own generator.
int ChooseCandidate(const CStatus& status, const std::array<bool, 4>& flags);
