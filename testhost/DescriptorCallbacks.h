// The scripting descriptor procs the host puts in the block. Like every
// callback they carry no context: each answers for TestHost::Current().
// The host implements the procs of the types it keeps (integer, float,
// boolean, text, and the pinned readers); the others are null.
#pragma once

#include <cstdint>

#include "host/PSDescriptorInterface.h"

namespace SquelmHost {

struct DescriptorCallbacks {
    static PS::ReadDescriptorProcs ReadSuite();
    static PS::WriteDescriptorProcs WriteSuite();
    // Logs one call of a proc in the answering host's log.
    static void Log(const char* proc, uint32_t key, int32_t result);
};

} // namespace SquelmHost
