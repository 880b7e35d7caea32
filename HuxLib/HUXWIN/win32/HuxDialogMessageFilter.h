// The messages of a modal dialog's loop, before the dialog manager sees
// them. The system runs the loop, so a message-filter hook on this thread
// is the one place to take keys whatever control has the focus: each
// message addressed to the dialog or a window inside it goes to the
// dialog's PreTranslateMessage first. A dialog opened from inside is the
// innermost and takes its own messages; a message box's are nobody's here.
#pragma once

#include <windows.h>

class CDialog;

class HuxDialogMessageFilter {
public:
    explicit HuxDialogMessageFilter(CDialog& dialog);
    ~HuxDialogMessageFilter();
    HuxDialogMessageFilter(const HuxDialogMessageFilter&) = delete;
    HuxDialogMessageFilter& operator=(const HuxDialogMessageFilter&) = delete;

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);
    bool Takes(const MSG& message) const;

    CDialog& m_dialog;
    HHOOK m_hook;
    HuxDialogMessageFilter* m_outer;
};
