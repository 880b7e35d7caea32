// The grid editor control in a filter run, driven by mouse and scroll
// messages and read back from the screen: the preview, grid and tool circle
// where the layout puts them, strokes that give exactly the stroke state's
// grid, the published image rectangle, the scroll bars and the pan.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "EditorSession.h"
#include "ScreenWindow.h"
#include "ui/PSPlimControlLayout.h"
#include "ui/PSPlimControlScrolling.h"
#include "ui/PSPlimImageRectProperties.h"
#include "ui/PSPlimStroke.h"
#include "ui/win32/PSPlimControl.h"

namespace {

using namespace EditorSessionTest;
using HuxGeometry::HuxPoint2D;

constexpr UINT kControlId = 14;

// The control as the screen shows it, read in client coordinates.
struct ClientShot {
    SquelmHost::RgbImage image;
    int dx = 0;
    int dy = 0;

    COLORREF At(POINT p) const
    {
        const int x = p.x + dx;
        const int y = p.y + dy;
        if (x < 0 || y < 0 || x >= image.width || y >= image.height)
            return CLR_INVALID;
        return ScreenTest::ColourAt(image, x, y);
    }
    bool ColourNear(POINT p, COLORREF colour) const
    {
        for (int y = p.y - 1; y <= p.y + 1; ++y)
            for (int x = p.x - 1; x <= p.x + 1; ++x)
                if (At({x, y}) == colour)
                    return true;
        return false;
    }
};

// The editor's control in a host window, with the preview sized to its
// client area as the dialog does.
class ControlOnScreen {
public:
    explicit ControlOnScreen(CPSPlimPluginApp& app) : app(app), commands(app), host(460, 340), control(commands)
    {
        control.Create(&host, RECT{10, 10, 450, 330}, kControlId);
        app.SetPreviewSize(Client().Width(), Client().Height());
        control.UpdateScrollBars();
        Repaint();
    }

    HuxRect Client() const
    {
        RECT client{};
        GetClientRect(control.m_hWnd, &client);
        return {client.left, client.top, client.right, client.bottom};
    }
    PSPlimControlLayout Layout() const
    {
        return *PSPlimLayOutControl(Client(), app.GetOutputPreview(), app.FilterRect(), app.GetViewRect());
    }
    void Repaint()
    {
        RedrawWindow(control.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    LRESULT Send(UINT message, WPARAM flags, POINT p)
    {
        return SendMessageA(control.m_hWnd, message, flags, At(p.x, p.y));
    }
    void PutCursor(POINT client)
    {
        ClientToScreen(control.m_hWnd, &client);
        SetCursorPos(client.x, client.y);
    }
    // The control on the screen once its client pixel p shows the colour.
    ClientShot ShotWhen(POINT p, COLORREF expected) const
    {
        RECT window{};
        GetWindowRect(control.m_hWnd, &window);
        POINT origin{0, 0};
        ClientToScreen(control.m_hWnd, &origin);
        ClientShot shot{{}, origin.x - window.left, origin.y - window.top};
        shot.image = ScreenTest::CaptureWhen(control.m_hWnd, p.x + shot.dx, p.y + shot.dy, expected);
        return shot;
    }
    COLORREF PixelWhen(POINT p, COLORREF expected) const { return ShotWhen(p, expected).At(p); }

    CPSPlimPluginApp& app;
    PSPlimEditorCommands commands;
    HostWindow host;
    PSPlimControl control;
};

std::vector<HuxPoint2D> PointsOf(const PSPlimGrid& grid)
{
    std::vector<HuxPoint2D> points;
    for (int r = 0; r < grid.PointsDown(); ++r)
        for (int c = 0; c < grid.PointsAcross(); ++c)
            points.push_back(grid.Point(c, r));
    return points;
}

HuxPoint2D ToPoint(POINT p) { return {double(p.x), double(p.y)}; }

// A path across the middle of the image, one pixel step at a time.
std::vector<POINT> Path(POINT from, int steps, int dx, int dy)
{
    std::vector<POINT> path;
    for (int i = 0; i <= steps; ++i)
        path.push_back({from.x + i * dx, from.y + i * dy});
    return path;
}

// Zoomed in to 2:1 with the view in the middle of the image.
void ZoomIntoTheMiddle(ControlOnScreen& screen)
{
    CPSPlimPluginApp& app = screen.app;
    while (app.GetZoomLevel() > 0 && app.CanZoomIn())
        app.ZoomIn();
    const HuxRect f = app.FilterRect();
    const HuxRect v = app.GetViewRect();
    app.ScrollView((f.Width() - v.Width()) / 2 - v.left, (f.Height() - v.Height()) / 2 - v.top);
    screen.control.UpdateScrollBars();
    screen.Repaint();
}

} // namespace

TEST(EditorControl, PaintsThePreviewTheGridAndTheToolCircleWhereTheLayoutPutsThem)
{
    RunSession(Quarters(320, 240), [](CPSPlimPluginApp& app) {
        PSPlimParameters& params = *app.Params();
        params.showGrid = 0;
        params.showToolRadius = 0;
        ControlOnScreen screen(app);
        const PSPlimControlLayout layout = screen.Layout();
        EXPECT_EQ(screen.control.ImageRect(), layout.imageRect);
        const HuxRect d = layout.destination;
        // Each quarter of the image in its quarter of the destination.
        for (int q = 0; q < 4; ++q) {
            const POINT p{d.left + d.Width() * (q % 2 == 0 ? 1 : 3) / 4, d.top + d.Height() * (q < 2 ? 1 : 3) / 4};
            EXPECT_EQ(screen.PixelWhen(p, kQuarters[q]), kQuarters[q]) << "quarter " << q;
        }
        // The client is wider than the image: button-face bands at the sides.
        ASSERT_GT(d.left, 1);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(screen.PixelWhen({d.left - 1, d.top + 5}, face), face);
        EXPECT_EQ(screen.PixelWhen({d.right, d.bottom - 5}, face), face);

        // The grid: an inner point carries the grid colour, only when shown.
        const HuxPointI inner = PSPlimClientMapping{layout.imageRect, app.Grid().Width(), app.Grid().Height()}
                                    .GridToClient(app.Grid().Point(10, 10));
        const POINT gridPoint{inner.x, inner.y};
        params.showGrid = 1;
        screen.Repaint();
        EXPECT_EQ(screen.PixelWhen(gridPoint, params.gridColour), params.gridColour);
        CreateDirectoryA("screenshots", nullptr);
        SquelmHost::SaveWindowPng(reinterpret_cast<intptr_t>(screen.control.m_hWnd), "screenshots/editor-control.png");
        params.showGrid = 0;
        screen.Repaint();
        EXPECT_EQ(screen.PixelWhen(gridPoint, kQuarters[0]), kQuarters[0]);

        // The tool circle at the cursor, its radius the tool size across the
        // image on screen; hollow.
        params.showToolRadius = 1;
        const POINT centre{d.left + d.Width() / 4, d.top + d.Height() / 4};
        screen.PutCursor(centre);
        screen.Send(WM_MOUSEMOVE, 0, centre);
        const int radius = int(std::trunc(params.toolSize * layout.imageRect.Width() / app.Grid().Width()));
        ASSERT_GT(radius, 5);
        const COLORREF tool = params.toolRadiusColour;
        const ClientShot circle = screen.ShotWhen({centre.x - radius, centre.y}, tool);
        // The outline's pixels may fall one pixel either way of the ideal circle.
        for (const POINT& edge : {POINT{centre.x - radius, centre.y}, POINT{centre.x + radius, centre.y},
                                  POINT{centre.x, centre.y - radius}, POINT{centre.x, centre.y + radius}})
            EXPECT_TRUE(circle.ColourNear(edge, tool)) << edge.x << ", " << edge.y;
        EXPECT_EQ(circle.At({centre.x - radius - 3, centre.y}), kQuarters[0]);
        EXPECT_EQ(circle.At({centre.x - radius + 3, centre.y}), kQuarters[0]);
        EXPECT_EQ(circle.At(centre), kQuarters[0]);
        // The cursor leaves without a message to the control: the timer
        // takes the circle away.
        SetCursorPos(5, 5);
        EXPECT_EQ(screen.PixelWhen({centre.x - radius, centre.y}, kQuarters[0]), kQuarters[0]);

        // Off, the circle shows only while the size slider is dragged,
        // centred while the cursor is elsewhere.
        params.showToolRadius = 0;
        screen.control.SetSizeTracking(true);
        const HuxRect client = screen.Client();
        const POINT middle{client.Width() / 2, client.Height() / 2};
        const ClientShot tracking = screen.ShotWhen({middle.x - radius, middle.y}, tool);
        EXPECT_TRUE(tracking.ColourNear({middle.x - radius, middle.y}, tool));
        EXPECT_TRUE(tracking.ColourNear({middle.x + radius, middle.y}, tool));
        screen.control.SetSizeTracking(false);
        const ClientShot untracked = screen.ShotWhen({middle.x - radius, middle.y - radius / 2}, kQuarters[0]);
        EXPECT_FALSE(untracked.ColourNear({middle.x - radius, middle.y}, tool));
    });
}

TEST(EditorControl, MouseStrokesGiveTheStrokeStatesGridWithOneStepEach)
{
    RunSession(Quarters(320, 240), [](CPSPlimPluginApp& app) {
        ControlOnScreen screen(app);
        const HuxRect imageRect = screen.control.ImageRect();
        const std::vector<HuxPoint2D> untouched = PointsOf(app.Grid());
        const HuxRect client = screen.Client();
        const POINT middle{client.Width() / 2, client.Height() / 2};
        const std::vector<POINT> path = Path(middle, 20, 2, 1);

        // The left stroke with a right press and release in the middle of it.
        const int32_t steps = app.UndoList().Count();
        screen.Send(WM_LBUTTONDOWN, MK_LBUTTON, path.front());
        EXPECT_EQ(GetCapture(), screen.control.m_hWnd);
        for (size_t i = 1; i < path.size(); ++i) {
            screen.Send(WM_MOUSEMOVE, MK_LBUTTON, path[i]);
            if (i == path.size() / 2) {
                screen.Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, {5, 5});
                screen.Send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, path[i]);
                screen.Send(WM_RBUTTONUP, MK_LBUTTON, {5, 5});
                EXPECT_EQ(GetCapture(), screen.control.m_hWnd) << "the right release ended the left stroke";
            }
        }
        screen.Send(WM_LBUTTONUP, 0, path.back());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(app.UndoList().Count(), steps + 1);
        const std::vector<HuxPoint2D> byMouse = PointsOf(app.Grid());
        EXPECT_NE(byMouse, untouched);

        // The same positions through the stroke state directly, from the
        // grid before the stroke.
        app.Undo();
        ASSERT_EQ(PointsOf(app.Grid()), untouched);
        PSPlimStroke direct(app);
        direct.SetImageRect(imageRect);
        ASSERT_TRUE(direct.ButtonDown(PSPlimButton::Left, ToPoint(path.front())));
        for (size_t i = 1; i < path.size(); ++i)
            direct.MouseMove(ToPoint(path[i]));
        EXPECT_EQ(direct.ButtonUp(PSPlimButton::Left), PSPlimStroke::EndResult::Submitted);
        EXPECT_EQ(PointsOf(app.Grid()), byMouse);

        // A right stroke is a stroke of its own with its own step.
        const int32_t before = app.UndoList().Count();
        const std::vector<HuxPoint2D> beforeRight = PointsOf(app.Grid());
        app.Params()->rightButtonTool = app.Params()->leftButtonTool;
        screen.Send(WM_RBUTTONDOWN, MK_RBUTTON, path.back());
        for (const POINT& p : Path(path.back(), 10, -2, 0))
            screen.Send(WM_MOUSEMOVE, MK_RBUTTON, p);
        screen.Send(WM_RBUTTONUP, 0, path.back());
        EXPECT_EQ(app.UndoList().Count(), before + 1);
        EXPECT_NE(PointsOf(app.Grid()), beforeRight);

        // A click, and a press whose move stays on the pressed pixel, record nothing.
        const std::vector<HuxPoint2D> settled = PointsOf(app.Grid());
        screen.Send(WM_LBUTTONDOWN, MK_LBUTTON, middle);
        screen.Send(WM_LBUTTONUP, 0, middle);
        screen.Send(WM_LBUTTONDOWN, MK_LBUTTON, middle);
        screen.Send(WM_MOUSEMOVE, MK_LBUTTON, middle);
        screen.Send(WM_LBUTTONUP, 0, middle);
        EXPECT_EQ(app.UndoList().Count(), before + 1);
        EXPECT_EQ(PointsOf(app.Grid()), settled);
        EXPECT_EQ(GetCapture(), nullptr);

        // A quick second press arrives as a double click: a stroke as well.
        screen.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, middle);
        for (const POINT& p : Path(middle, 10, 0, 2))
            screen.Send(WM_MOUSEMOVE, MK_LBUTTON, p);
        screen.Send(WM_LBUTTONUP, 0, middle);
        EXPECT_EQ(app.UndoList().Count(), before + 2);
        EXPECT_NE(PointsOf(app.Grid()), settled);
    });
}

TEST(EditorControl, PublishesTheImageRectangleNegativeEdgesIncluded)
{
    RunSession(Quarters(320, 240), [](CPSPlimPluginApp& app) {
        ControlOnScreen screen(app);
        ZoomIntoTheMiddle(screen);
        const HuxRect expected = screen.Layout().imageRect;
        ASSERT_LT(expected.left, 0);
        ASSERT_LT(expected.top, 0);
        EXPECT_EQ(screen.control.ImageRect(), expected);
        // Read as the test host's driver does, from another thread.
        HuxRect published;
        const HWND window = screen.control.m_hWnd;
        std::thread reader([&] {
            auto edge = [&](const char* name) { return int32_t(reinterpret_cast<intptr_t>(GetPropA(window, name))); };
            published = {edge(PSPlimImageRectProperties::kLeft), edge(PSPlimImageRectProperties::kTop),
                         edge(PSPlimImageRectProperties::kRight), edge(PSPlimImageRectProperties::kBottom)};
        });
        reader.join();
        EXPECT_EQ(published, expected);
    });
}

TEST(EditorControl, ScrollBarsShowTheViewAndALineScrollMovesItByOne)
{
    RunSession(Quarters(320, 240), [](CPSPlimPluginApp& app) {
        ControlOnScreen screen(app);
        const HWND window = screen.control.m_hWnd;
        auto bar = [&](int which) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_ALL;
            GetScrollInfo(window, which, &info);
            return PSPlimScrollBar{info.nMin, info.nMax, int32_t(info.nPage), info.nPos};
        };
        ZoomIntoTheMiddle(screen);
        const HuxRect view = app.GetViewRect();
        const HuxRect filter = app.FilterRect();
        EXPECT_EQ(bar(SB_HORZ), (PSPlimScrollBar{0, filter.Width(), view.Width(), view.left - filter.left}));
        EXPECT_EQ(bar(SB_VERT), (PSPlimScrollBar{0, filter.Height(), view.Height(), view.top - filter.top}));

        SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(app.GetViewRect(), HuxRectOffset(view, 0, 1));
        EXPECT_EQ(bar(SB_VERT).position, view.top - filter.top + 1);
        SendMessageA(window, WM_HSCROLL, SB_LEFT, 0);
        EXPECT_EQ(app.GetViewRect().left, filter.left);
        EXPECT_EQ(bar(SB_HORZ).position, 0);
        // The wheel is answered and changes nothing.
        const HuxRect before = app.GetViewRect();
        EXPECT_EQ(SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0), 0);
        EXPECT_EQ(app.GetViewRect(), before);
    });
}

TEST(EditorControl, TheMiddleButtonPansOnlyAZoomedView)
{
    RunSession(Quarters(320, 240), [](CPSPlimPluginApp& app) {
        ControlOnScreen screen(app);
        const HuxRect client = screen.Client();
        const POINT start{client.Width() / 2, client.Height() / 2};
        const POINT end{start.x + 30, start.y + 12};

        // The whole image shows: nothing to pan.
        const HuxRect whole = app.GetViewRect();
        screen.Send(WM_MBUTTONDOWN, MK_MBUTTON, start);
        EXPECT_EQ(GetCapture(), nullptr);
        screen.Send(WM_MOUSEMOVE, MK_MBUTTON, end);
        screen.Send(WM_MBUTTONUP, 0, end);
        EXPECT_EQ(app.GetViewRect(), whole);

        ZoomIntoTheMiddle(screen);
        const HuxRect origin = app.GetViewRect();
        const PSPlimClientMapping mapping{screen.control.ImageRect(), app.Grid().Width(), app.Grid().Height()};
        screen.Send(WM_MBUTTONDOWN, MK_MBUTTON, start);
        EXPECT_EQ(GetCapture(), screen.control.m_hWnd);
        // A left press during the pan starts no stroke.
        const int32_t steps = app.UndoList().Count();
        screen.Send(WM_LBUTTONDOWN, MK_MBUTTON | MK_LBUTTON, start);
        screen.Send(WM_MOUSEMOVE, MK_MBUTTON | MK_LBUTTON, end);
        const HuxPointI scroll = PSPlimPanScroll(mapping, {start.x, start.y}, {end.x, end.y},
                                                 {origin.left, origin.top}, origin, app.FilterRect());
        // The image follows the cursor: the view moves against the drag.
        EXPECT_LT(scroll.x, 0);
        EXPECT_LT(scroll.y, 0);
        EXPECT_EQ(app.GetViewRect(), HuxRectOffset(origin, scroll.x, scroll.y));
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        GetScrollInfo(screen.control.m_hWnd, SB_HORZ, &info);
        EXPECT_EQ(info.nPos, app.GetViewRect().left - app.FilterRect().left);
        // Back to the press point: back to the view of the press.
        screen.Send(WM_MOUSEMOVE, MK_MBUTTON | MK_LBUTTON, start);
        EXPECT_EQ(app.GetViewRect(), origin);
        screen.Send(WM_LBUTTONUP, MK_MBUTTON, start);
        screen.Send(WM_MBUTTONUP, 0, start);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(app.UndoList().Count(), steps);
    });
}

TEST(EditorControl, AStrokeWhoseCaptureIsTakenEndsThere)
{
    RunSession(Quarters(320, 240), [](CPSPlimPluginApp& app) {
        ControlOnScreen screen(app);
        const HuxRect client = screen.Client();
        const std::vector<POINT> path = Path({client.Width() / 2, client.Height() / 2}, 10, 2, 0);
        const int32_t steps = app.UndoList().Count();
        screen.Send(WM_LBUTTONDOWN, MK_LBUTTON, path.front());
        for (const POINT& p : path)
            screen.Send(WM_MOUSEMOVE, MK_LBUTTON, p);
        // Another window of the thread takes the mouse: the stroke is
        // recorded as if released, and the other window keeps the mouse.
        screen.host.SetCapture();
        EXPECT_EQ(app.UndoList().Count(), steps + 1);
        EXPECT_EQ(GetCapture(), screen.host.m_hWnd);
        const std::vector<HuxPoint2D> ended = PointsOf(app.Grid());
        for (const POINT& p : Path(path.back(), 10, 0, 2))
            screen.Send(WM_MOUSEMOVE, MK_LBUTTON, p);
        screen.Send(WM_LBUTTONUP, 0, path.back());
        EXPECT_EQ(PointsOf(app.Grid()), ended);
        EXPECT_EQ(app.UndoList().Count(), steps + 1);
        ReleaseCapture();
    });
}

// Where a pen's own messages cannot be read (Wine has no GetPointerPenInfo,
// Windows before 8 no pointer messages), the mouse messages the system
// makes from a pen are all the control hears of it: they stroke, and a
// pointer message goes on to the default handling.
TEST(EditorControl, WithoutThePenReadersAPensMouseMessagesStroke)
{
    if (GetProcAddress(GetModuleHandleA("user32.dll"), "GetPointerPenInfo"))
        GTEST_SKIP() << "this system reads a pen's own messages";
    RunSession(Quarters(320, 240), [](CPSPlimPluginApp& app) {
        ControlOnScreen screen(app);
        const HuxRect client = screen.Client();
        const std::vector<POINT> path = Path({client.Width() / 2, client.Height() / 2}, 10, 2, 0);
        const int32_t steps = app.UndoList().Count();
        screen.Send(WM_POINTERDOWN, MAKEWPARAM(1, POINTER_FLAG_INCONTACT | POINTER_FLAG_FIRSTBUTTON), path.front());
        EXPECT_FALSE(screen.commands.Stroke().IsStroking());
        const LPARAM before = SetMessageExtraInfo(LPARAM(0xFF515700));
        ASSERT_EQ(GetMessageExtraInfo(), LPARAM(0xFF515700)) << "the pen's mark did not stick";
        screen.Send(WM_LBUTTONDOWN, MK_LBUTTON, path.front());
        for (const POINT& p : path)
            screen.Send(WM_MOUSEMOVE, MK_LBUTTON, p);
        screen.Send(WM_LBUTTONUP, 0, path.back());
        SetMessageExtraInfo(before);
        EXPECT_EQ(app.UndoList().Count(), steps + 1);
    });
}
