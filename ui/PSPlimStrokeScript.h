// Stroke scripts: a text recording of what a user does in the editor dialog,
// played by PSPlimScriptedEditor through the grid editor's own operations.
//
// One command per line; '#' starts a comment; blank lines are ignored; words
// are separated by blanks. Positions are image pixel positions, in the
// document's coordinates, written "x,y" (fractions allowed).
//
//   tool left|right squelm|mellow|revert|stabilise|boggle|nibble
//                        choose the tool of a mouse button
//   size <grid units>    tool size, clamped to 0.01 .. 0.25
//   power <value>        tool power, clamped to 0.05 .. 1.0
//   drag left|right x,y [x,y ...]
//                        one stroke: press at the first position, move to
//                        each following one, release at the last
//   edge fixed|locked|free
//                        the edge-mode commands of the toolbar
//   grid <across> <down> point counts as the options dialog shows them
//                        (visible points, clamped to 3 .. 150)
//   undo                 undo the last step
//   redo                 redo the next step
//   preview <w> <h>      size of the preview area in screen pixels
//                        (default 640 480)
//   ok | cancel          close the editor; nothing may follow.
//                        The end of the script is an ok.
//
// A malformed line throws PSPlimScriptError naming its line number.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "grid/PSPlimChoices.h"

#include <stdexcept>
#include <string>
#include <vector>

class PSPlimScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class PSPlimButton { Left, Right };

struct PSPlimScriptCommand {
    enum class Kind { Tool, Size, Power, Drag, Edge, Grid, Undo, Redo, Preview, Ok, Cancel };

    Kind kind = Kind::Ok;
    int line = 0;                  // 1-based line of the script
    PSPlimButton button = PSPlimButton::Left;
    PSPlimTool tool = PSPlimTool::Squelm;         // Tool
    PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Fixed; // Edge
    double value = 0.0;            // Size, Power
    int first = 0;                 // Grid: across; Preview: width
    int second = 0;                // Grid: down; Preview: height
    std::vector<HuxGeometry::HuxPoint2D> points; // Drag
};

class PSPlimStrokeScript {
public:
    static PSPlimStrokeScript Parse(const std::string& text);
    // Reads and parses a file; an unreadable file throws PSPlimScriptError.
    static PSPlimStrokeScript Load(const std::string& path);

    const std::vector<PSPlimScriptCommand>& Commands() const { return commands_; }

private:
    std::vector<PSPlimScriptCommand> commands_;
};
