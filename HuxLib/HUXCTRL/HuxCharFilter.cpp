#include "HuxLib/HUXCTRL/HuxCharFilter.h"

namespace {

void AllowRange(std::array<bool, 256>& table, unsigned char first, unsigned char last)
{
    for (unsigned code = first; code <= last; ++code)
        table[code] = true;
}

} // namespace

HuxCharFilter::HuxCharFilter() { m_allowed.fill(true); }

void HuxCharFilter::SetAllowed(unsigned flags)
{
    m_allowed.fill(false);
    if (flags & kLowerCase)
        AllowRange(m_allowed, 'a', 'z');
    if (flags & kUpperCase)
        AllowRange(m_allowed, 'A', 'Z');
    if (flags & kDigits)
        AllowRange(m_allowed, '0', '9');
    if (flags & kAnything)
        m_allowed.fill(true);
}

bool HuxCharFilter::Passes(uint32_t code) const
{
    return code == kBackspace || code >= m_allowed.size() || m_allowed[code];
}
