#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

// Paces a progress bar that follows bytes: a new value, 0 to `span`, is worth
// showing only when it differs from the last one shown and `gap` has passed
// since then, so a fast transfer does not spend its time painting.
class CProgressPacer
{
public:
    using Clock = std::chrono::steady_clock;

    CProgressPacer(int span, std::chrono::milliseconds gap);

    // The value to show for `done` of `total`, or nothing when the bar should stay.
    std::optional<int> Next(int64_t done, int64_t total, Clock::time_point now);

private:
    int m_span;
    std::chrono::milliseconds m_gap;
    int m_shown = 0;
    std::optional<Clock::time_point> m_shownAt;
};
