#include "HuxLib/HUXWIN/win32/HuxWindowBarrier.h"

#include <utility>

namespace {

// Window procedures run on the thread that owns the window; each thread
// keeps its own failure and its own stack of modal loops.
thread_local std::exception_ptr t_failure;
thread_local HuxModalLoopScope* t_innermost = nullptr;

// Any value: DoModal rethrows the failure instead of returning it.
constexpr INT_PTR kEndedByFailure = -1;

} // namespace

void HuxKeepWindowFailure(std::exception_ptr failure) noexcept
{
    if (!t_failure)
        t_failure = std::move(failure);
    if (t_innermost)
        t_innermost->EndIfFailed();
}

void HuxRethrowWindowFailure()
{
    if (t_failure)
        std::rethrow_exception(std::exchange(t_failure, nullptr));
}

HuxModalLoopScope::HuxModalLoopScope() : m_outer(t_innermost) { t_innermost = this; }

HuxModalLoopScope::~HuxModalLoopScope() { t_innermost = m_outer; }

void HuxModalLoopScope::SetWindow(HWND dialog) noexcept
{
    m_dialog = dialog;
    EndIfFailed();
}

void HuxModalLoopScope::EndIfFailed() noexcept
{
    if (m_dialog && t_failure)
        EndDialog(m_dialog, kEndedByFailure);
}
