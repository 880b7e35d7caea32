// A 1-bit picture with the colour table black (0) and white (1).
#pragma once

#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"

class HuxMaskDIBBuffer : public HuxDIBBuffer {
public:
    void Create(int32_t width, int32_t height) { HuxDIBBuffer::Create(width, height, 1, nullptr); }
};
