#include "SourceReader.h"

#include "MacRoman.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rescomp {

CompileError::CompileError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + message)
{
}

SourceReader::SourceReader(const std::string& path)
    : file_(path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CompileError(path, 0, "cannot read the file");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(line);
    }
}

void SourceReader::fail(int line, const std::string& message) const
{
    throw CompileError(file_, line, message);
}

namespace {

bool isHexColour(const std::string& text, size_t i)
{
    if (i + 7 > text.size())
        return false;
    for (size_t k = 1; k <= 6; ++k) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i + k])))
            return false;
    }
    return i + 7 == text.size() || std::isspace(static_cast<unsigned char>(text[i + 7]));
}

std::string readQuoted(const SourceReader& reader, int lineNo, const std::string& text, size_t& i)
{
    // UTF-8 runs are converted to Mac Roman; escaped bytes are taken as they are.
    std::string out, piece, bad;
    auto flush = [&] {
        const auto converted = toMacRoman(piece, bad);
        if (!converted)
            reader.fail(lineNo, "\"" + bad + "\" has no Mac OS Roman form");
        out += *converted;
        piece.clear();
    };
    ++i; // opening quote
    for (;;) {
        if (i >= text.size())
            reader.fail(lineNo, "unterminated string");
        const char c = text[i++];
        if (c == '"')
            break;
        if (c != '\\') {
            piece.push_back(c);
            continue;
        }
        if (i >= text.size())
            reader.fail(lineNo, "unterminated string");
        const char e = text[i++];
        flush();
        switch (e) {
        case '"':
        case '\\':
            out.push_back(e);
            break;
        case 'r':
            out.push_back('\r');
            break;
        case 'x':
            if (i + 2 > text.size() || !std::isxdigit(static_cast<unsigned char>(text[i]))
                || !std::isxdigit(static_cast<unsigned char>(text[i + 1])))
                reader.fail(lineNo, "\\x needs two hexadecimal digits");
            out.push_back(static_cast<char>(std::strtol(text.substr(i, 2).c_str(), nullptr, 16)));
            i += 2;
            break;
        default:
            reader.fail(lineNo, std::string("unknown escape \\") + e);
        }
    }
    flush();
    return out;
}

} // namespace

bool SourceReader::nextStatement(Statement& out)
{
    while (next_ < lines_.size()) {
        const int lineNo = static_cast<int>(next_) + 1;
        const std::string& text = lines_[next_++];
        out.line = lineNo;
        out.tokens.clear();
        size_t i = 0;
        while (i < text.size()) {
            const char c = text[i];
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++i;
            } else if (c == '#' && !isHexColour(text, i)) {
                break;
            } else if (c == '"') {
                out.tokens.push_back({Token::Kind::String, readQuoted(*this, lineNo, text, i)});
            } else {
                const size_t start = i;
                while (
                    i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) && text[i] != '"')
                    ++i;
                out.tokens.push_back({Token::Kind::Word, text.substr(start, i - start)});
            }
        }
        if (!out.tokens.empty())
            return true;
    }
    return false;
}

bool SourceReader::nextRawLine(std::string& out, int& line)
{
    if (next_ >= lines_.size())
        return false;
    line = static_cast<int>(next_) + 1;
    const std::string& text = lines_[next_++];
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    out = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    return true;
}

bool parseInteger(const std::string& text, long& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    value = std::strtol(text.c_str(), &end, hex ? 16 : 10);
    return errno == 0 && end && *end == '\0';
}

Arguments::Arguments(const SourceReader& reader, const Statement& statement)
    : reader_(reader)
    , statement_(statement)
{
}

void Arguments::fail(const std::string& message) const
{
    reader_.fail(statement_.line, message);
}

const Token& Arguments::take(const char* what)
{
    if (atEnd())
        fail(statement_.keyword() + ": missing " + what);
    return statement_.tokens[index_++];
}

bool Arguments::peekWord(const char* word) const
{
    return !atEnd() && statement_.tokens[index_].kind == Token::Kind::Word
        && statement_.tokens[index_].text == word;
}

bool Arguments::peekString() const
{
    return !atEnd() && statement_.tokens[index_].kind == Token::Kind::String;
}

std::string Arguments::word(const char* what)
{
    const Token& t = take(what);
    if (t.kind != Token::Kind::Word)
        fail(statement_.keyword() + ": expected " + what + ", found a string");
    return t.text;
}

std::string Arguments::string(const char* what)
{
    const Token& t = take(what);
    if (t.kind != Token::Kind::String)
        fail(statement_.keyword() + ": expected " + what + " as a \"quoted string\", found " + t.text);
    return t.text;
}

long Arguments::integer(const char* what, long min, long max)
{
    const std::string text = word(what);
    long value = 0;
    if (!parseInteger(text, value))
        fail(statement_.keyword() + ": " + what + " \"" + text + "\" is not a number");
    if (value < min || value > max) {
        fail(statement_.keyword() + ": " + what + " " + text + " is out of range (" + std::to_string(min)
            + " to " + std::to_string(max) + ")");
    }
    return value;
}

namespace {

bool splitPair(const std::string& text, char separator, long& a, long& b)
{
    const size_t at = text.find(separator);
    if (at == std::string::npos)
        return false;
    return parseInteger(text.substr(0, at), a) && parseInteger(text.substr(at + 1), b);
}

} // namespace

void Arguments::point(const char* what, int& x, int& y)
{
    const std::string text = word(what);
    long a = 0, b = 0;
    if (!splitPair(text, ',', a, b) || a < -32768 || a > 32767 || b < -32768 || b > 32767)
        fail(statement_.keyword() + ": " + what + " \"" + text + "\" is not a point X,Y");
    x = static_cast<int>(a);
    y = static_cast<int>(b);
}

void Arguments::size(const char* what, int& width, int& height)
{
    const std::string text = word(what);
    long a = 0, b = 0;
    if (!splitPair(text, 'x', a, b) || a < 1 || a > 4096 || b < 1 || b > 4096)
        fail(statement_.keyword() + ": " + what + " \"" + text + "\" is not a size WxH (1 to 4096)");
    width = static_cast<int>(a);
    height = static_cast<int>(b);
}

void Arguments::expectEnd()
{
    if (!atEnd())
        fail(statement_.keyword() + ": unexpected \"" + statement_.tokens[index_].text + "\"");
}

} // namespace rescomp
