// Checks on the rows a host delivers after a request.
#pragma once

#include "HuxLib/HUXUTIL/HuxException.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "host/PSHostInterface.h"

#include <cstdint>

// A host that delivers no rows, or rows shorter than requested, has not
// honoured the request; copying would read outside its buffer.
inline const uint8_t* HuxPSDeliveredRows(const void* data, int32_t rowBytes, const HuxRect& rect, int bytesPerPixel)
{
    if (!data || int64_t(rowBytes) < int64_t(rect.Width()) * bytesPerPixel)
        throw HuxOSErr(PS::errPlugInHostInsufficient);
    return static_cast<const uint8_t*>(data);
}
