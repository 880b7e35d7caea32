// Portable stand-in for the window framework's application object: the
// application title and the module handle, nothing else.
#pragma once

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    const char* m_pszAppName; // application title, "Squelm" when none given
    void* m_hInstance;        // module handle, set by the Windows entry layer, null natively
};
