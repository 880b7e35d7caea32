#include "effect/PSPlimVersionText.h"

#include "version/SquelmVersion.h"

#include <string_view>

namespace {

constexpr bool TextMatchesNumbers()
{
    constexpr std::string_view text = SQUELM_VERSION_TEXT;
    constexpr int numbers[] = {SQUELM_VERSION_MAJOR, SQUELM_VERSION_MINOR, SQUELM_VERSION_PATCH};
    size_t at = 0;
    for (size_t part = 0; part < 3; ++part) {
        int value = 0;
        const size_t start = at;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
            value = value * 10 + (text[at] - '0');
        if (at == start || value != numbers[part] || (part < 2 && (at >= text.size() || text[at++] != '.')))
            return false;
    }
    constexpr std::string_view resource = SQUELM_VERSION_RESOURCE_TEXT;
    return at == text.size() && resource.substr(0, text.size()) == text && resource.substr(text.size()) == ".0";
}
static_assert(TextMatchesNumbers(), "the version texts must spell the version numbers");

// __DATE__ is "Mmm dd yyyy", the day padded with a space.
std::string DayMonthYear(std::string_view date)
{
    std::string_view day = date.substr(4, 2);
    if (day.front() == ' ')
        day.remove_prefix(1);
    return std::string(day).append(" ").append(date.substr(0, 3)).append(" ").append(date.substr(7, 4));
}

} // namespace

std::string PSPlimAboutText()
{
    return std::string("Squelm " SQUELM_VERSION_TEXT "\nMesh-warp filter by Ombrix\nBuilt ")
        .append(DayMonthYear(__DATE__));
}

std::string PSPlimBuildLabel()
{
#ifdef NDEBUG
    constexpr const char* kConfiguration = "Release ";
#else
    constexpr const char* kConfiguration = "Debug ";
#endif
    return std::string(kConfiguration).append(SQUELM_VERSION_TEXT " (" __DATE__ " " __TIME__ ")");
}
