// Reads the resource sources: a line-oriented text format of blocks.
//
//   KIND ID                  opens a block (menu 1, dialog 128, picture -4048 ...)
//       statement ...        one statement a line: words, numbers, "strings"
//   end                      closes it
//
// '#' starts a comment unless it introduces a colour (#RRGGBB). Pixel rows
// are read raw (see nextRawLine), so a picture can be drawn as text.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace rescomp {

// A bad source: reported as "file:line: message".
class CompileError : public std::runtime_error {
public:
    CompileError(const std::string& file, int line, const std::string& message);
};

struct Token {
    enum class Kind { Word, String };
    Kind kind;
    std::string text; // a string token holds its bytes already converted to Mac Roman
};

struct Statement {
    int line = 0;
    std::vector<Token> tokens;

    bool empty() const { return tokens.empty(); }
    const std::string& keyword() const { return tokens.front().text; }
};

class SourceReader {
public:
    // Reads the whole file; a file that cannot be read is a CompileError at line 0.
    explicit SourceReader(const std::string& path);

    const std::string& file() const { return file_; }

    // The next non-blank, non-comment statement; false at the end of the file.
    bool nextStatement(Statement& out);
    // The next line as it stands, trimmed of surrounding blanks; false at the end.
    bool nextRawLine(std::string& out, int& line);

    [[noreturn]] void fail(int line, const std::string& message) const;

private:
    std::string file_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

// Helpers for reading statement arguments; each reports a bad value with its line.
class Arguments {
public:
    Arguments(const SourceReader& reader, const Statement& statement);

    bool atEnd() const { return index_ >= statement_.tokens.size(); }
    bool peekWord(const char* word) const;
    bool peekString() const;
    std::string word(const char* what);
    std::string string(const char* what);
    long integer(const char* what, long min, long max);
    // "X,Y"
    void point(const char* what, int& x, int& y);
    // "WxH"
    void size(const char* what, int& width, int& height);
    void expectEnd();
    [[noreturn]] void fail(const std::string& message) const;

private:
    const Token& take(const char* what);
    const SourceReader& reader_;
    const Statement& statement_;
    size_t index_ = 1; // tokens[0] is the keyword
};

bool parseInteger(const std::string& text, long& value);

} // namespace rescomp
