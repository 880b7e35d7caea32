#include "HuxLib/HUXWIN/CWinApp.h"

namespace {
constexpr const char* kDefaultAppName = "Squelm";
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName ? appName : kDefaultAppName), m_hInstance(nullptr) {}

CWinApp::~CWinApp() = default;
