// A filter run of the in-process application whose editor session is the
// test's own function, with a bare top-level window to host the editor's
// controls; and an image of four solid quarters, so that where the preview
// lands on the screen can be read back exactly.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "HuxLib/HUXWIN/win32/CWnd.h"
#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "testhost/TestHost.h"
#include "InProcessPlugin.h"

namespace EditorSessionTest {

// The quarters' colours: top left, top right, bottom left, bottom right.
inline const COLORREF kQuarters[4] = {RGB(250, 40, 40), RGB(40, 250, 40), RGB(40, 40, 250), RGB(250, 250, 40)};

inline SquelmHost::RgbImage Quarters(int width, int height)
{
    SquelmHost::RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = kQuarters[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
            image.Set(x, y, GetRValue(c), GetGValue(c), GetBValue(c));
        }
    return image;
}

// A borderless top-level window at (40, 40) that keeps the commands its
// children send it. Not topmost: a popup of its controls shows above it.
class HostWindow : public CWnd {
public:
    struct Command {
        UINT id;
        UINT code;
        HWND control;
    };

    HostWindow(int width, int height)
    {
        CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, RECT{40, 40, 40 + width, 40 + height}, nullptr,
                 0);
    }
    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        commands.push_back({id, code, control});
        return true;
    }

    std::vector<Command> commands;
};

class SessionEditor : public PSPlimEditor {
public:
    explicit SessionEditor(std::function<void(CPSPlimPluginApp&)> session) : m_session(std::move(session)) {}
    int RunModal(CPSPlimPluginApp& app) override
    {
        m_session(app);
        return kHuxIdCancel;
    }

private:
    std::function<void(CPSPlimPluginApp&)> m_session;
};

// Runs the filter on the image with `session` as the editor.
inline void RunSession(const SquelmHost::RgbImage& image, std::function<void(CPSPlimPluginApp&)> session)
{
    SessionEditor editor(std::move(session));
    InProcessPlugin plugin(&editor);
    plugin.Host().SetImage(image);
    plugin.Host().RunFilter();
}

// Lets the window's pending paints and timers run.
inline void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

} // namespace EditorSessionTest
