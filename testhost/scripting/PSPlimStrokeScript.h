// Stroke scripts: a text recording of what a user does in the editor dialog,
// played by PSPlimScriptedEditor through the grid editor's own operations.
//
// One command per line; '#' starts a comment; blank lines are ignored; words
// are separated by blanks. Positions are image pixel positions, in the
// document's coordinates, written "x,y" (fractions allowed).
//
//   tool left|right squelm|mellow|revert|stabilise|boggle|nibble
//                        choose the tool of a mouse button
//   size <grid units>    the Tool Size slider moved to the step nearest
//                        the size (0.01 .. 0.25 in 100 steps)
//   power <value>        the Tool Power slider likewise (0.05 .. 1.0);
//                        as in the dialog, moving either slider writes
//                        both values from both sliders' steps
//   drag left|right x,y[,p] [x,y[,p] ...]
//                        one stroke: press at the first position, move to
//                        each following one, release at the last. With a
//                        pressure p (0 .. 1) at any position the stroke is
//                        a pen's (the right button: its barrel button held),
//                        pressing p there (1 where none is written), read
//                        as the pen's nearest reading (PSPlimPenReadingFor);
//                        else the mouse's
//   pressure on|off      the toolbar's Pressure Controls Power, clicked
//                        when it is not already so
//   edge fixed|locked|free
//                        the edge-mode commands of the toolbar
//   grid <across> <down> point counts as the options dialog shows them
//                        (visible points, clamped to 3 .. 150)
//   undo                 undo the last step
//   redo                 redo the next step
//   preview <w> <h>      size of the preview area in screen pixels
//                        (default 640 480)
//   zoom in|out          the zoom buttons: one level closer or farther
//   locate x,y           the preview locator: drag its frame's centre to
//                        the position and release
//   pan x,y x,y [x,y ...]
//                        a middle-button drag: press over the first
//                        position, move to where each following one was
//                        shown at the press; the image follows the mouse
//   toggle grid|radius   the toolbar's Toggle Grid and Show Tool Radius
//                        buttons: show or hide the grid or the tool circle
//   ok | cancel          close the editor; nothing may follow.
//                        The end of the script is an ok.
//
// A malformed line throws PSPlimScriptError naming its line number; words
// are quoted in messages bounded and escaped. A number too large for a
// double, or a whole number beyond a million, is "out of range".
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "grid/PSPlimChoices.h"
#include "ui/PSPlimPenInput.h"
#include "ui/PSPlimToolChoice.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class PSPlimScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PSPlimScriptCommand {
    enum class Kind { Tool, Size, Power, Drag, Edge, Grid, Undo, Redo, Preview, Ok, Cancel, Zoom, Locate, Pan, Toggle,
                      Pressure };
    enum class Display { Grid, ToolRadius };

    Kind kind = Kind::Ok;
    int line = 0;                  // 1-based line of the script
    PSPlimButton button = PSPlimButton::Left;
    PSPlimTool tool = PSPlimTool::Squelm;         // Tool
    PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Fixed; // Edge
    bool zoomIn = false;           // Zoom
    bool on = false;               // Pressure
    Display display = Display::Grid; // Toggle
    double value = 0.0;            // Size, Power
    int first = 0;                 // Grid: across; Preview: width
    int second = 0;                // Grid: down; Preview: height
    std::vector<HuxGeometry::HuxPoint2D> points; // Drag, Pan; Locate: one
    std::vector<double> pressures;               // Drag: a pen's, one per point; none for the mouse
};

// What the pen reports at a drag's i-th point in the phase; none for the
// mouse's drag.
std::optional<PSPlimPenSample> PSPlimPenSampleAt(const PSPlimScriptCommand& drag, size_t i,
                                                 PSPlimPenSample::Phase phase);

class PSPlimStrokeScript {
public:
    static PSPlimStrokeScript Parse(const std::string& text);
    // Reads and parses a file of at most kFileLimit bytes; an unreadable
    // file, a directory or a larger file throws PSPlimScriptError.
    static PSPlimStrokeScript Load(const std::string& path);

    static constexpr size_t kFileLimit = size_t(16) << 20;

    const std::vector<PSPlimScriptCommand>& Commands() const { return commands_; }

private:
    std::vector<PSPlimScriptCommand> commands_;
};
