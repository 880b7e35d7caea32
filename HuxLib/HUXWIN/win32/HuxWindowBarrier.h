// The exception barrier of every window and dialog procedure. A C++
// exception must never unwind into the system's frames (they carry no unwind
// information MinGW's unwinder can use), so the procedures catch everything:
// the failure is kept for the thread, the innermost modal loop of our
// dialogs is ended, and the code that started the loop (or the window call)
// rethrows it on its own stack, where the selector's dispatch turns it into
// the host's result. The first failure wins; later ones are consequences.
#pragma once

#include <windows.h>

#include <exception>

// Keeps `failure` (unless one is kept already) and ends the innermost modal
// dialog. Never throws.
void HuxKeepWindowFailure(std::exception_ptr failure) noexcept;
// Throws the kept failure, if there is one, and forgets it.
void HuxRethrowWindowFailure();

// Runs `handler`; true when it returned, false when it threw (the failure
// is then kept as above).
template <class Handler>
bool HuxGuarded(Handler&& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (...) {
        HuxKeepWindowFailure(std::current_exception());
        return false;
    }
}

// Registers a modal dialog as the innermost modal loop of the thread for
// the scope's life; its window is ended when a failure is kept.
class HuxModalLoopScope {
public:
    HuxModalLoopScope();
    ~HuxModalLoopScope();
    HuxModalLoopScope(const HuxModalLoopScope&) = delete;
    HuxModalLoopScope& operator=(const HuxModalLoopScope&) = delete;

    // The dialog window, once it exists; ended at once if a failure is
    // already waiting.
    void SetWindow(HWND dialog) noexcept;
    // Ends the dialog when a failure is waiting.
    void EndIfFailed() noexcept;

private:
    HWND m_dialog = nullptr;
    HuxModalLoopScope* m_outer;
};

// The procedures themselves (HuxWindowProcedure.cpp): the one window
// procedure of every CWnd, and the dialog procedure of every CDialog.
LRESULT CALLBACK HuxWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HuxDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
