#include "ResourceCompiler.h"

#include "Block.h"

namespace rescomp {

std::string fourCCText(uint32_t type)
{
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8)
        s.push_back(static_cast<char>((type >> shift) & 0xFF));
    return s;
}

namespace {

using Compiler = void (*)(SourceReader&, const Statement&, int, std::vector<CompiledResource>&);

struct BlockKind {
    const char* keyword;
    Compiler compile;
};

const BlockKind kBlockKinds[] = {
    {"menu", compileMenu},
    {"dialog", compileDialog},
    {"alert", compileAlert},
    {"cicn", compileColourIcon},
    {"picture", compilePicture},
    {"font", compileFont},
};

} // namespace

void compileFile(const std::string& path, std::vector<CompiledResource>& out)
{
    SourceReader reader(path);
    Statement opening;
    while (reader.nextStatement(opening)) {
        const BlockKind* kind = nullptr;
        for (const BlockKind& k : kBlockKinds) {
            if (opening.tokens.front().kind == Token::Kind::Word && opening.keyword() == k.keyword)
                kind = &k;
        }
        if (!kind) {
            reader.fail(opening.line,
                "expected a block (menu, dialog, alert, cicn, picture, font), found \""
                    + opening.tokens.front().text + "\"");
        }
        Arguments args(reader, opening);
        const int id = static_cast<int>(args.integer("the resource ID", -32768, 32767));
        args.expectEnd();
        const size_t first = out.size();
        kind->compile(reader, opening, id, out);
        const std::string origin = path + ":" + std::to_string(opening.line);
        for (size_t i = first; i < out.size(); ++i) {
            out[i].origin = origin;
            for (size_t j = 0; j < first; ++j) {
                if (out[j].type == out[i].type && out[j].id == out[i].id) {
                    reader.fail(opening.line,
                        "'" + fourCCText(out[i].type) + "' " + std::to_string(out[i].id)
                            + " is already defined at " + out[j].origin);
                }
            }
        }
    }
}

} // namespace rescomp
