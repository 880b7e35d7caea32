// The scripting descriptor procs the host puts in the block. Like every
// callback they carry no context: each answers for TestHost::Current().
// The host implements the procs of the types it keeps (integer, float,
// boolean, text, and the pinned readers); the others are null.
#pragma once

#include "host/PSDescriptorInterface.h"

namespace SquelmHost {

struct DescriptorCallbacks {
    static PS::ReadDescriptorProcs ReadSuite();
    static PS::WriteDescriptorProcs WriteSuite();
};

} // namespace SquelmHost
