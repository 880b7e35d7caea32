#include "HuxLib/HUXUTIL/HuxException.h"

#include <cstdio>

namespace {

// Describing texts are formatted into a buffer of this many characters.
constexpr size_t kDescribeBufferSize = 1024;

} // namespace

std::string HuxSEException::Describe() const
{
    char text[kDescribeBufferSize];
    std::snprintf(text, sizeof text, "Structured exception : %x", static_cast<unsigned>(code_));
    return text;
}

std::string HuxAssertException::Describe() const
{
    char text[kDescribeBufferSize];
    std::snprintf(text, sizeof text, "%s(%d)", file_ ? file_ : "", static_cast<int>(line_));
    return text;
}
