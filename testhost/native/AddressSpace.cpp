#include "testhost/AddressSpace.h"

namespace SquelmHost {

void ReserveLowAddressSpace() {}

} // namespace SquelmHost
