// Processor faults become thrown HuxSEException pointers.
//
// MinGW has no _set_se_translator, and a C++ exception cannot be thrown from
// inside an exception handler: the unwinder would have to cross the system's
// dispatch frames, which carry no unwind tables. So a vectored handler does
// not throw; it rewrites the faulting thread's context so that, when the
// thread resumes, it looks as if the faulting code had called
// HuxRaiseTranslatedFault, which then throws an ordinary C++ exception. The
// library is built with -fnon-call-exceptions, so every trapping instruction
// is a point where an exception may start, and the unwinder finds the
// faulting function's frame from the fake return address.
//
// Only faults that can be unwound are translated: on an installing thread,
// inside an open HuxFaultScope, and either in this module's own code or in a
// call from this module's code to an address outside every module (a call
// through a bad callback pointer). A fault in host code is left to the host:
// unwinding through frames without unwind tables would end the process.
#include "HuxLib/HUXUTIL/HuxSETranslator.h"

#include <windows.h>

#include <cstdint>

#include "HuxLib/HUXUTIL/HuxException.h"

extern "C" {
[[noreturn]] void HuxRaiseTranslatedFault();
void HuxFaultCallStub();
}

namespace {

// SSE exceptions, when unmasked, arrive as these rather than as the x87 codes.
constexpr DWORD kFloatMultipleFaults = 0xC00002B4;
constexpr DWORD kFloatMultipleTraps = 0xC00002B5;

// The translator serves each thread that installed it, with state of its
// own in two thread-local slots (the system's, which a handler may read
// without allocating): the scope depth plus one (0: not installed on the
// thread) and the code of the fault being raised. Allocated by the first
// installation, which comes from the thread that loads the library before
// any other thread of it runs.
DWORD g_depthSlot = TLS_OUT_OF_INDEXES;
DWORD g_codeSlot = TLS_OUT_OF_INDEXES;

uintptr_t SlotValue(DWORD slot) { return reinterpret_cast<uintptr_t>(TlsGetValue(slot)); }
void SetSlotValue(DWORD slot, uintptr_t value) { TlsSetValue(slot, reinterpret_cast<void*>(value)); }
bool InstalledHere() { return g_depthSlot != TLS_OUT_OF_INDEXES && SlotValue(g_depthSlot) != 0; }

bool IsTranslatedCode(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW:
    case kFloatMultipleFaults:
    case kFloatMultipleTraps:
        return true;
    default:
        // Breakpoints, single steps, guard pages and stack overflow belong
        // to debuggers and the system; C++ and other software exceptions
        // are not faults.
        return false;
    }
}

HMODULE ThisModule()
{
    static const HMODULE module = [] {
        HMODULE h = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ThisModule), &h);
        return h;
    }();
    return module;
}

enum class Region { ThisModule, OtherModule, NoModule };

Region RegionOf(uintptr_t address)
{
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info) != sizeof info)
        return Region::NoModule;
    if (info.State != MEM_COMMIT || info.Type != MEM_IMAGE)
        return Region::NoModule;
    return info.AllocationBase == ThisModule() ? Region::ThisModule : Region::OtherModule;
}

// The word at `address` if it can be read.
bool ReadStackWord(uintptr_t address, uintptr_t& word)
{
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info) != sizeof info)
        return false;
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (info.State != MEM_COMMIT || (info.Protect & readable) == 0 || (info.Protect & PAGE_GUARD) != 0)
        return false;
    word = *reinterpret_cast<const uintptr_t*>(address);
    return true;
}

// A floating-point fault leaves its flag pending in the x87 status word; the
// next x87 instruction would fault again.
void ClearPendingFloatFault(CONTEXT& context)
{
    constexpr DWORD kExceptionFlagsAndSummary = 0x80FF;
#if defined(__i386__)
    context.FloatSave.StatusWord &= ~kExceptionFlagsAndSummary;
#else
    context.FltSave.StatusWord &= ~kExceptionFlagsAndSummary;
#endif
}

#if defined(__i386__)

bool Redirect(CONTEXT& context)
{
    const uintptr_t eip = context.Eip;
    switch (RegionOf(eip)) {
    case Region::ThisModule:
        // Resume in the stub, which pushes Eip + 1 as a return address: the
        // unwinder looks up the instruction before a return address, which
        // is then the faulting instruction itself.
        context.Ecx = static_cast<DWORD>(eip + 1);
        context.Eip = reinterpret_cast<DWORD>(&HuxFaultCallStub);
        return true;
    case Region::NoModule: {
        // A call to nowhere: the return address the call pushed is on the
        // stack already. Translate only when it leads back into this module.
        uintptr_t returnAddress = 0;
        if (!ReadStackWord(context.Esp, returnAddress) || RegionOf(returnAddress) != Region::ThisModule)
            return false;
        context.Eip = reinterpret_cast<DWORD>(&HuxRaiseTranslatedFault);
        return true;
    }
    case Region::OtherModule:
        return false;
    }
    return false;
}

#elif defined(__x86_64__)

// The context record of the dispatch lies just below the faulting Rsp, so
// the handler writes nothing to the stack: the fake return address travels
// in R11, which no code expects to survive the start of an exception.
bool Redirect(CONTEXT& context)
{
    const uintptr_t rip = context.Rip;
    switch (RegionOf(rip)) {
    case Region::ThisModule:
        // As on x86: Rip + 1 makes the unwinder look up the faulting
        // instruction itself. The stub pushes it once the handler is done.
        context.R11 = rip + 1;
        context.Rip = reinterpret_cast<DWORD64>(&HuxFaultCallStub);
        return true;
    case Region::NoModule: {
        // A call to nowhere: [Rsp] already holds the return address into the
        // caller and Rsp is aligned as at any function's entry.
        uintptr_t returnAddress = 0;
        if (!ReadStackWord(context.Rsp, returnAddress) || RegionOf(returnAddress) != Region::ThisModule)
            return false;
        context.Rip = reinterpret_cast<DWORD64>(&HuxRaiseTranslatedFault);
        return true;
    }
    case Region::OtherModule:
        return false;
    }
    return false;
}

#else
#error "The fault translator supports x86 and x64 only."
#endif

LONG CALLBACK TranslateFault(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (!InstalledHere() || SlotValue(g_depthSlot) == 1)
        return EXCEPTION_CONTINUE_SEARCH;
    if (!IsTranslatedCode(record.ExceptionCode) || (record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) != 0)
        return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT& context = *pointers->ContextRecord;
    if (!Redirect(context))
        return EXCEPTION_CONTINUE_SEARCH;
    ClearPendingFloatFault(context);
    SetSlotValue(g_codeSlot, record.ExceptionCode);
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Owns the handler registration: the handler must go before the module's
// code is unmapped, or the next fault anywhere in the process would jump
// into freed memory.
class Registration {
public:
    constexpr Registration() = default;
    ~Registration()
    {
        if (handle_)
            RemoveVectoredExceptionHandler(handle_);
        if (g_depthSlot != TLS_OUT_OF_INDEXES)
            TlsFree(g_depthSlot);
        if (g_codeSlot != TLS_OUT_OF_INDEXES)
            TlsFree(g_codeSlot);
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

    void Install()
    {
        if (g_depthSlot == TLS_OUT_OF_INDEXES)
            g_depthSlot = TlsAlloc();
        if (g_codeSlot == TLS_OUT_OF_INDEXES)
            g_codeSlot = TlsAlloc();
        if (!handle_)
            handle_ = AddVectoredExceptionHandler(1, &TranslateFault);
    }

private:
    void* handle_ = nullptr;
};

// Constant-initialised: the application object installs the handler from
// its constructor, possibly before this file's dynamic initialisation.
constinit Registration g_registration;

} // namespace

// Entered as if called from the faulting instruction. force_align_arg_pointer:
// the faulting code's stack need not have the alignment a call site keeps.
extern "C" [[noreturn]] __attribute__((noinline, used, force_align_arg_pointer)) void HuxRaiseTranslatedFault()
{
    throw new HuxSEException(static_cast<uint32_t>(SlotValue(g_codeSlot)));
}

#if defined(__i386__)

// Ecx holds the return address to fake (set by Redirect); Ecx is scratch at
// any point where an exception may start. Never on the stack when the
// exception unwinds, so it needs no unwind information.
extern "C" __attribute__((naked)) void HuxFaultCallStub()
{
    asm("pushl %ecx\n\t"
        "jmp _HuxRaiseTranslatedFault");
}

#else

// R11 holds the return address to fake (set by Redirect). Once it is pushed,
// the rest reads as a function called from the faulting instruction; the
// system unwinder walks it by its unwind codes: frame pointer back to Rsp,
// pop Rbp, return to the faulting instruction with Rsp as it was at the
// fault. The faulting code's Rsp may have any alignment, so the call is made
// from a realigned stack with the shadow space the calling convention wants.
// The trap after the call keeps the return address inside this procedure.
asm(R"(
    .text
    .p2align 4
    .globl HuxFaultCallStub
    .def HuxFaultCallStub; .scl 2; .type 32; .endef
HuxFaultCallStub:
    pushq %r11
HuxFaultCallFrame:
    .seh_proc HuxFaultCallFrame
    pushq %rbp
    .seh_pushreg %rbp
    movq %rsp, %rbp
    .seh_setframe %rbp, 0
    .seh_endprologue
    andq $-16, %rsp
    subq $32, %rsp
    call HuxRaiseTranslatedFault
    int3
    .seh_endproc
)");

#endif

void HuxInstallFaultTranslator()
{
    ThisModule();
    g_registration.Install();
    if (!InstalledHere())
        SetSlotValue(g_depthSlot, 1);
}

HuxFaultScope::HuxFaultScope()
{
    if (InstalledHere())
        SetSlotValue(g_depthSlot, SlotValue(g_depthSlot) + 1);
}

HuxFaultScope::~HuxFaultScope()
{
    if (InstalledHere())
        SetSlotValue(g_depthSlot, SlotValue(g_depthSlot) - 1);
}
