// Windows: reading and driving the windows of this process from a second
// thread, while the test's main thread is inside a selector call running a
// modal dialog or message box. Every wait and every message sent to another
// thread has a timeout, so a test fails instead of hanging.
#pragma once

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace SquelmHost {

struct WindowState {
    intptr_t handle = 0;
    std::string className;
    std::string text;
    int id = 0;              // control id (child windows)
    bool visible = false;
    bool enabled = false;
    int checkState = 0;      // buttons: 0 unchecked, 1 checked, 2 indeterminate
    intptr_t owner = 0;      // top-level windows: the owner, 0 for none
};

enum class MouseButton { Left, Right };

class WindowAutomation {
public:
    // The class name of dialogs and message boxes.
    static constexpr const char* kDialogClass = "#32770";

    explicit WindowAutomation(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // ---- Reading ----------------------------------------------------------
    std::vector<WindowState> TopLevelWindows() const; // of this process
    std::vector<WindowState> Children(intptr_t window) const; // all descendants, in z-order
    WindowState Describe(intptr_t window) const;
    intptr_t Control(intptr_t dialog, int id) const;
    // The first descendant of the class whose text is `text`, or 0.
    intptr_t FindChild(intptr_t window, const std::string& className, const std::string& text) const;

    // ---- Waiting ----------------------------------------------------------
    // A visible, enabled top-level window of this process with the class and
    // (unless empty) the caption; 0 when none appears in time.
    intptr_t WaitForWindow(const std::string& className, const std::string& caption = {}) const;
    bool WaitForClose(intptr_t window) const;
    // Until the window and all its visible descendants have painted (none
    // holds an update region) and the window's thread has come back to its
    // message loop since, where the system puts what was painted on the
    // screen; false when that does not happen in time.
    bool WaitUntilPainted(intptr_t window) const;

    // ---- Driving (posted: the window's thread acts on them) ---------------
    // The command a click on the button would send to its dialog.
    void PressButton(intptr_t dialog, int id) const;
    void Click(intptr_t control, int x, int y, MouseButton button = MouseButton::Left) const;
    void ButtonDown(intptr_t control, int x, int y, MouseButton button = MouseButton::Left) const;
    void ButtonUp(intptr_t control, int x, int y, MouseButton button = MouseButton::Left) const;
    void MouseMove(intptr_t control, int x, int y, bool leftDown = false, bool rightDown = false) const;
    void Key(intptr_t window, unsigned virtualKey) const;
    // A click at the middle of the toolbar's button of the command; false
    // when the toolbar has no such button or does not answer.
    bool ClickToolbarButton(intptr_t toolbar, int command) const;
    // The system's file dialog with the caption, as a user answers it: the
    // path typed as the file name, then its Save or Open button. False when
    // the dialog does not appear, has no file name box, or does not close.
    bool AnswerFileDialog(const std::string& caption, const std::string& path) const;
    // The real pointer to the screen's top-left corner, clear of windows
    // that open centred; waits until the system reports it there (a move
    // made just as a window opens may be dropped, so it is repeated).
    // Throws std::runtime_error when it never arrives.
    void ParkPointer() const;

private:
    std::chrono::milliseconds timeout_;
};

// Runs `script` on a second thread from construction on. Join() waits for it
// (the destructor joins too) and rethrows whatever the script threw.
class AutomationThread {
public:
    explicit AutomationThread(std::function<void()> script);
    ~AutomationThread();
    AutomationThread(const AutomationThread&) = delete;
    AutomationThread& operator=(const AutomationThread&) = delete;

    void Join();

private:
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace SquelmHost
