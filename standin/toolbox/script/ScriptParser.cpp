#include "script/ScriptParser.h"

#include "events/KeyCodes.h"

#include <cctype>
#include <charconv>
#include <sstream>

namespace toolbox {

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

struct Line {
    std::vector<std::string> words;
    std::string rest; // the raw text after the first word, trimmed
};

std::string trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool splitWords(const std::string& text, Line& line, std::string& error)
{
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r'))
            ++i;
        if (i >= text.size())
            break;
        std::string word;
        if (text[i] == '"') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                char c = text[i++];
                if (c == '\\' && i < text.size()) {
                    word += text[i++];
                } else if (c == '"') {
                    closed = true;
                    break;
                } else {
                    word += c;
                }
            }
            if (!closed) {
                error = "unterminated quotation";
                return false;
            }
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r')
                word += text[i++];
        }
        if (line.words.empty()) {
            line.rest = trim(text.substr(i));
        }
        line.words.push_back(word);
    }
    return true;
}

bool parseNumber(const std::string& s, long long& value)
{
    const char* end = s.data() + s.size();
    auto result = std::from_chars(s.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool parsePoint(const Line& line, ScriptStep& step, std::string& error)
{
    const std::string& command = line.words[0];
    if (line.words.size() != 3) {
        error = command + " needs X and Y";
        return false;
    }
    long long x, y;
    if (!parseNumber(line.words[1], x) || !parseNumber(line.words[2], y)) {
        error = command + ": X and Y must be whole numbers";
        return false;
    }
    if (x < 0 || x >= kScreenWidth || y < 0 || y >= kScreenHeight) {
        error = command + ": " + line.words[1] + " " + line.words[2] + " lies outside the 640x480 screen";
        return false;
    }
    step.where.h = SInt16(x);
    step.where.v = SInt16(y);
    return true;
}

bool modifierNamed(const std::string& word, EventModifiers& mods)
{
    if (word == "cmd" || word == "command")
        mods |= cmdKey;
    else if (word == "option" || word == "alt")
        mods |= optionKey;
    else if (word == "shift")
        mods |= shiftKey;
    else if (word == "control" || word == "ctrl")
        mods |= controlKey;
    else
        return false;
    return true;
}

bool parseKey(const Line& line, ScriptStep& step, std::string& error)
{
    if (line.words.size() < 2) {
        error = "key needs a character";
        return false;
    }
    for (size_t i = 1; i + 1 < line.words.size(); ++i) {
        if (!modifierNamed(line.words[i], step.modifiers)) {
            error = "key: unknown modifier \"" + line.words[i] + "\" (cmd, option, shift, control)";
            return false;
        }
    }
    const std::string& name = line.words.back();
    KeyStroke stroke;
    if (name.size() == 1) {
        UInt8 ch = UInt8(name[0]);
        if (!keyForCharacter(ch, stroke)) {
            error = "key: no key types \"" + name + "\"";
            return false;
        }
        if (stroke.shifted)
            step.modifiers |= shiftKey;
        else if (step.modifiers & shiftKey)
            stroke.charCode = shiftedCharacter(stroke.charCode);
    } else if (!keyForName(name, stroke)) {
        error = "key: unknown key \"" + name + "\"";
        return false;
    }
    step.charCode = stroke.charCode;
    step.keyCode = stroke.keyCode;
    return true;
}

bool parseLine(const Line& line, int number, ParsedScript& out, std::string& error)
{
    const std::string& command = line.words[0];
    ScriptStep step;
    step.line = number;
    if (command == "keys") {
        if (line.words.size() < 2) {
            error = "keys needs at least one key (option, shift, cmd, control)";
            return false;
        }
        for (size_t i = 1; i < line.words.size(); ++i) {
            if (!modifierNamed(line.words[i], out.launchKeys)) {
                error = "keys: unknown key \"" + line.words[i] + "\" (option, shift, cmd, control)";
                return false;
            }
        }
        return true;
    }
    if (command == "click" || command == "press" || command == "move" || command == "release") {
        step.kind = command == "click" ? ScriptStep::Kind::Click
            : command == "press"       ? ScriptStep::Kind::Press
            : command == "move"        ? ScriptStep::Kind::Move
                                       : ScriptStep::Kind::Release;
        if (!parsePoint(line, step, error))
            return false;
    } else if (command == "key") {
        step.kind = ScriptStep::Kind::Key;
        if (!parseKey(line, step, error))
            return false;
    } else if (command == "wait") {
        step.kind = ScriptStep::Kind::Wait;
        long long ticks;
        if (line.words.size() != 2 || !parseNumber(line.words[1], ticks) || ticks < 0 || ticks > 100000000) {
            error = "wait needs a number of ticks";
            return false;
        }
        step.ticks = UInt32(ticks);
    } else if (command == "snapshot" || command == "layout") {
        step.kind = command == "snapshot" ? ScriptStep::Kind::Snapshot : ScriptStep::Kind::Layout;
        if (line.words.size() != 2 || line.words[1].empty()) {
            error = command + " needs one file name";
            return false;
        }
        step.text = line.words[1];
    } else if (command == "quit") {
        step.kind = ScriptStep::Kind::Quit;
        if (line.words.size() != 1) {
            error = "quit takes no arguments";
            return false;
        }
    } else if (command == "menu") {
        step.kind = ScriptStep::Kind::Menu;
        if (line.words.size() != 3) {
            error = "menu needs a menu title and an item (quote texts with spaces)";
            return false;
        }
        step.text = line.words[1];
        step.item = line.words[2];
    } else if (command == "click-title") {
        step.kind = ScriptStep::Kind::ClickTitle;
        if (line.words.size() < 2) {
            error = "click-title needs a title";
            return false;
        }
        step.text = line.words.size() == 2 ? line.words[1] : line.rest;
    } else {
        error = "unknown command \"" + command + "\"";
        return false;
    }
    out.steps.push_back(step);
    return true;
}

} // namespace

bool parseScript(const std::string& text, ParsedScript& out, ScriptError& error)
{
    out = ParsedScript {};
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        std::string content = trim(raw);
        if (content.empty() || content[0] == '#')
            continue;
        Line line;
        std::string message;
        if (!splitWords(content, line, message) || !parseLine(line, number, out, message)) {
            error.line = number;
            error.message = message;
            return false;
        }
    }
    return true;
}

} // namespace toolbox
