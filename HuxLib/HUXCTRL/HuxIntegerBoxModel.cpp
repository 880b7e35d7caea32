#include "HuxLib/HUXCTRL/HuxIntegerBoxModel.h"
#include "HuxLib/HUXUTIL/HuxMulDiv.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <utility>

namespace {

constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int64_t kHighest = std::numeric_limits<int32_t>::max();

} // namespace

int32_t HuxParseInt(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    // atoi leaves overflow undefined; stop counting once past the range.
    int64_t magnitude = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), kHighest + 1);
    return int32_t(std::clamp(negative ? -magnitude : magnitude, kLowest, kHighest));
}

std::string HuxFormatInt(int32_t n) { return std::to_string(n); }

HuxIntegerBoxModel::HuxIntegerBoxModel() { m_characters.SetAllowed(HuxCharFilter::kDigits); }

void HuxIntegerBoxModel::SetRange(int32_t minimum, int32_t maximum, bool wrap)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_minimum = minimum;
    m_maximum = maximum;
    m_wrap = wrap;
    m_characters.Allow('-', minimum < 0 || maximum < 0);
}

int32_t HuxIntegerBoxModel::SetValue(int32_t n)
{
    m_value = std::clamp(n, m_minimum, m_maximum);
    return m_value;
}

int32_t HuxIntegerBoxModel::ValueOf(std::string_view text) const
{
    return text.empty() ? m_value : HuxParseInt(text);
}

std::optional<int32_t> HuxIntegerBoxModel::Validate(std::string_view text)
{
    const int32_t v = ValueOf(text);
    if (v < m_minimum)
        return SetValue(m_minimum);
    if (v > m_maximum)
        return SetValue(m_maximum);
    return std::nullopt;
}

int32_t HuxIntegerBoxModel::StepBy(std::string_view text, int32_t delta) const
{
    // 64 bits: the text may hold any 32-bit number, the range may span them all.
    int64_t v = int64_t(HuxParseInt(text)) + delta;
    if (m_wrap) {
        const int64_t r = int64_t(m_maximum) - m_minimum + 1;
        v = m_minimum + ((100 * r + v - m_minimum) % r);
    }
    return int32_t(std::clamp<int64_t>(v, m_minimum, m_maximum));
}

void HuxIntegerBoxModel::SetSliderRange(int32_t a, int32_t b)
{
    m_sliderMinimum = std::max(a, m_minimum);
    m_sliderMaximum = std::min(b, m_maximum);
}

HuxSliderPercent HuxIntegerBoxModel::SliderPercent(std::string_view text) const
{
    const int64_t span = int64_t(m_sliderMaximum) - m_sliderMinimum;
    if (span == 0)
        return {};
    return {HuxMulDivWide(int64_t(ValueOf(text)) - m_sliderMinimum, 100, span),
            HuxMulDivWide(-int64_t(m_sliderMinimum), 100, span)};
}
