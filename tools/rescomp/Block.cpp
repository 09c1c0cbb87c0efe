#include "Block.h"

namespace rescomp {

void forEachStatement(SourceReader& reader, const Statement& opening,
    const std::function<void(const Statement&, Arguments&)>& handle)
{
    Statement statement;
    while (reader.nextStatement(statement)) {
        if (statement.tokens.front().kind == Token::Kind::Word && statement.keyword() == "end") {
            Arguments args(reader, statement);
            args.expectEnd();
            return;
        }
        if (statement.tokens.front().kind != Token::Kind::Word)
            reader.fail(statement.line, "a statement starts with a word, not a string");
        Arguments args(reader, statement);
        handle(statement, args);
    }
    reader.fail(opening.line, opening.keyword() + " block has no \"end\"");
}

void unknownStatement(Arguments& args, const Statement& statement, const char* block)
{
    args.fail(std::string("\"") + statement.keyword() + "\" is not a statement of a " + block + " block");
}

} // namespace rescomp
