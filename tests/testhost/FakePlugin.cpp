#include "testhost/FakePlugin.h"

#include <stdexcept>

namespace SquelmHostTest {

namespace {
FakePlugin* g_active = nullptr;
}

FakePlugin::FakePlugin()
{
    if (g_active)
        throw std::logic_error("one FakePlugin at a time");
    g_active = this;
}

FakePlugin::~FakePlugin()
{
    g_active = nullptr;
}

PS::PluginEntry FakePlugin::Entry()
{
    return &FakePlugin::Main;
}

void FakePlugin::Main(int16_t selector, void* record, intptr_t* data, int16_t* result)
{
    FakePlugin* self = g_active;
    if (!self)
        return;
    self->lastResultOnEntry = *result;
    self->lastData = data;
    PS::OSErr err = PS::noErr;
    if (selector == PS::filterSelectorAbout) {
        if (self->about_)
            err = self->about_(*static_cast<PS::AboutRecord*>(record));
    } else if (auto it = self->steps_.find(selector); it != self->steps_.end()) {
        err = it->second(*static_cast<PS::FilterRecord*>(record));
    }
    if (err != PS::noErr)
        *result = err;
}

PS::Rect HostRect(int left, int top, int right, int bottom)
{
    return PS::Rect{int16_t(top), int16_t(left), int16_t(bottom), int16_t(right)};
}

void Request(PS::FilterRecord& r, PS::Rect in, PS::Rect out, PS::Rect mask, int scale)
{
    r.inRect = in;
    r.outRect = out;
    r.maskRect = mask;
    r.inLoPlane = 0;
    r.inHiPlane = 2;
    r.outLoPlane = 0;
    r.outHiPlane = 2;
    r.inputRate = scale << 16;
    r.maskRate = scale << 16;
}

} // namespace SquelmHostTest
