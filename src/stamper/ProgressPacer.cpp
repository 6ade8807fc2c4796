#include "ProgressPacer.h"

CProgressPacer::CProgressPacer(int span, std::chrono::milliseconds gap)
    : m_span(span), m_gap(gap)
{
}

std::optional<int> CProgressPacer::Next(int64_t done, int64_t total, Clock::time_point now)
{
    if (total <= 0 || done < 0)
        return std::nullopt;
    const int value = done >= total ? m_span : static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * m_span);
    if (value == m_shown || (m_shownAt && now - *m_shownAt < m_gap))
        return std::nullopt;
    m_shown = value;
    m_shownAt = now;
    return value;
}
