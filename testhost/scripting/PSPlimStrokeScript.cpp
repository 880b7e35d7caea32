#include "testhost/scripting/PSPlimStrokeScript.h"

#include "HuxLib/HUXUTIL/HuxFiles.h"
#include "HuxLib/HUXUTIL/HuxQuote.h"
#include "grid/PSPlimChoices.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string_view>

namespace {

using Kind = PSPlimScriptCommand::Kind;


// Whole numbers (grid points, preview sizes) beyond this are refused.
constexpr int kIntegerLimit = 1000000;

// The words of one line, with the line number for messages.
class LineReader {
public:
    LineReader(const std::string& line, int number) : number_(number)
    {
        std::istringstream in(line.substr(0, line.find('#')));
        for (std::string word; in >> word;)
            words_.push_back(word);
    }

    bool Empty() const { return words_.empty(); }
    size_t Count() const { return words_.size(); }
    const std::string& Word(size_t i) const { return words_[i]; }
    int Number() const { return number_; }

    [[noreturn]] void Fail(const std::string& what) const
    {
        throw PSPlimScriptError("line " + std::to_string(number_) + ": " + what);
    }

    void ExpectCount(size_t count, const char* usage) const
    {
        if (words_.size() != count)
            Fail(std::string("expected \"") + usage + "\"");
    }

    template <size_t N>
    int Choice(size_t i, const std::array<std::string_view, N>& names, const char* what) const
    {
        for (size_t k = 0; k < N; ++k)
            if (words_[i] == names[k])
                return static_cast<int>(k);
        Fail(std::string("unknown ") + what + " " + HuxQuote(words_[i]));
    }

    // A tool, edge mode or other choice by its keyword.
    template <class Choice>
    Choice Keyword(size_t i, const char* what) const
    {
        if (const std::optional<Choice> choice = PSPlimChoiceByKeyword<Choice>(words_[i]))
            return *choice;
        Fail(std::string("unknown ") + what + " " + HuxQuote(words_[i]));
    }

    double Number(size_t i) const { return ParseNumber(words_[i]); }

    int Integer(size_t i) const
    {
        const double v = ParseNumber(words_[i]);
        if (v != std::floor(v))
            Fail(HuxQuote(words_[i]) + " is not a whole number");
        if (std::fabs(v) > kIntegerLimit)
            Fail(HuxQuote(words_[i]) + " is out of range (at most " + std::to_string(kIntegerLimit) + ")");
        return static_cast<int>(v);
    }

    HuxGeometry::HuxPoint2D Position(size_t i) const { return PositionOf(words_[i]); }

    HuxGeometry::HuxPoint2D PositionOf(const std::string& w) const
    {
        const size_t comma = w.find(',');
        if (comma == std::string::npos)
            Fail(HuxQuote(w) + " is not a position x,y");
        return {ParseNumber(w.substr(0, comma)), ParseNumber(w.substr(comma + 1))};
    }

    // "x,y" or "x,y,p" with the pressure p in 0 .. 1; none without.
    HuxGeometry::HuxPoint2D PressedPosition(size_t i, std::optional<double>& pressure) const
    {
        const std::string& w = words_[i];
        const size_t second = w.find(',', w.find(',') + 1);
        pressure.reset();
        if (w.find(',') == std::string::npos || second == std::string::npos)
            return Position(i);
        pressure = ParseNumber(w.substr(second + 1));
        if (!(*pressure >= 0.0 && *pressure <= 1.0))
            Fail(HuxQuote(w) + " has a pressure outside 0..1");
        return PositionOf(w.substr(0, second));
    }

    PSPlimButton Button(size_t i) const
    {
        static constexpr std::array<std::string_view, 2> kButtons = {"left", "right"};
        return Choice(i, kButtons, "button") == 0 ? PSPlimButton::Left : PSPlimButton::Right;
    }

private:
    double ParseNumber(const std::string& text) const
    {
        // strtod stops at a NUL inside the word, so that counts as not a number.
        const char* start = text.c_str();
        char* end = nullptr;
        errno = 0;
        const double v = std::strtod(start, &end);
        const bool overflow = errno == ERANGE && std::isinf(v); // an underflow gives a usable 0 or tiny value
        if (end == start || size_t(end - start) != text.size() || (!std::isfinite(v) && !overflow))
            Fail(HuxQuote(text) + " is not a number");
        if (overflow)
            Fail(HuxQuote(text) + " is out of range");
        return v;
    }

    std::vector<std::string> words_;
    int number_;
};

PSPlimScriptCommand ParseLine(const LineReader& in)
{
    PSPlimScriptCommand cmd;
    cmd.line = in.Number();
    const std::string& verb = in.Word(0);
    if (verb == "tool") {
        in.ExpectCount(3, "tool left|right <name>");
        cmd.kind = Kind::Tool;
        cmd.button = in.Button(1);
        cmd.tool = in.Keyword<PSPlimTool>(2, "tool");
    } else if (verb == "size" || verb == "power") {
        in.ExpectCount(2, verb == "size" ? "size <value>" : "power <value>");
        cmd.kind = verb == "size" ? Kind::Size : Kind::Power;
        cmd.value = in.Number(1);
    } else if (verb == "drag") {
        if (in.Count() < 3)
            in.Fail("expected \"drag left|right x,y[,p] [x,y[,p] ...]\"");
        cmd.kind = Kind::Drag;
        cmd.button = in.Button(1);
        bool pen = false;
        for (size_t i = 2; i < in.Count(); ++i) {
            std::optional<double> pressure;
            cmd.points.push_back(in.PressedPosition(i, pressure));
            cmd.pressures.push_back(pressure.value_or(1.0));
            pen = pen || pressure;
        }
        if (!pen)
            cmd.pressures.clear();
    } else if (verb == "edge") {
        in.ExpectCount(2, "edge fixed|locked|free");
        cmd.kind = Kind::Edge;
        cmd.edgeMode = in.Keyword<PSPlimEdgeMode>(1, "edge mode");
    } else if (verb == "grid" || verb == "preview") {
        in.ExpectCount(3, verb == "grid" ? "grid <across> <down>" : "preview <width> <height>");
        cmd.kind = verb == "grid" ? Kind::Grid : Kind::Preview;
        cmd.first = in.Integer(1);
        cmd.second = in.Integer(2);
        if (cmd.kind == Kind::Preview && (cmd.first < 1 || cmd.second < 1))
            in.Fail("a preview needs a positive width and height");
    } else if (verb == "zoom") {
        static constexpr std::array<std::string_view, 2> kDirections = {"in", "out"};
        in.ExpectCount(2, "zoom in|out");
        cmd.kind = Kind::Zoom;
        cmd.zoomIn = in.Choice(1, kDirections, "zoom direction") == 0;
    } else if (verb == "toggle") {
        static constexpr std::array<std::string_view, 2> kDisplays = {"grid", "radius"};
        in.ExpectCount(2, "toggle grid|radius");
        cmd.kind = Kind::Toggle;
        cmd.display = in.Choice(1, kDisplays, "display") == 0 ? PSPlimScriptCommand::Display::Grid
                                                               : PSPlimScriptCommand::Display::ToolRadius;
    } else if (verb == "pressure") {
        static constexpr std::array<std::string_view, 2> kStates = {"on", "off"};
        in.ExpectCount(2, "pressure on|off");
        cmd.kind = Kind::Pressure;
        cmd.on = in.Choice(1, kStates, "state") == 0;
    } else if (verb == "pan") {
        if (in.Count() < 3)
            in.Fail("expected \"pan x,y x,y [x,y ...]\"");
        cmd.kind = Kind::Pan;
        for (size_t i = 1; i < in.Count(); ++i)
            cmd.points.push_back(in.Position(i));
    } else if (verb == "locate") {
        in.ExpectCount(2, "locate x,y");
        cmd.kind = Kind::Locate;
        cmd.points.push_back(in.Position(1));
    } else if (verb == "undo" || verb == "redo" || verb == "ok" || verb == "cancel") {
        in.ExpectCount(1, verb.c_str());
        cmd.kind = verb == "undo" ? Kind::Undo : verb == "redo" ? Kind::Redo
                 : verb == "ok"   ? Kind::Ok   : Kind::Cancel;
    } else {
        in.Fail("unknown command " + HuxQuote(verb));
    }
    return cmd;
}

} // namespace

std::optional<PSPlimPenSample> PSPlimPenSampleAt(const PSPlimScriptCommand& drag, size_t i,
                                                 PSPlimPenSample::Phase phase)
{
    if (drag.pressures.empty())
        return std::nullopt;
    return PSPlimPenSample{phase, drag.button == PSPlimButton::Right, true, PSPlimPenReadingFor(drag.pressures.at(i))};
}

PSPlimStrokeScript PSPlimStrokeScript::Parse(const std::string& text)
{
    PSPlimStrokeScript script;
    std::istringstream lines(text);
    int number = 0;
    bool closed = false;
    for (std::string line; std::getline(lines, line);) {
        const LineReader in(line, ++number);
        if (in.Empty())
            continue;
        if (closed)
            in.Fail("nothing may follow ok or cancel");
        script.commands_.push_back(ParseLine(in));
        const Kind kind = script.commands_.back().kind;
        closed = kind == Kind::Ok || kind == Kind::Cancel;
    }
    return script;
}

PSPlimStrokeScript PSPlimStrokeScript::Load(const std::string& path)
{
    try {
        return Parse(HuxReadFile(path, PSPlimStrokeScript::kFileLimit, "script"));
    } catch (const PSPlimScriptError&) {
        throw;
    } catch (const std::runtime_error& e) {
        throw PSPlimScriptError(e.what());
    }
}
