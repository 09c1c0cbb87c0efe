// get and set: single fields of the state, by the names of Fields.h.
#include "Cli.h"

#include <macsim/Fields.h>
#include <macsim/MachineStore.h>
#include <macsim/StateFile.h>

#include <cstdio>

namespace macsim::cli {

namespace {

constexpr const char* getHelp = R"(usage: macsim get FIELD

Prints one field of the hardware state: registers as 0x%08X, other numbers
in decimal, words as they are. The fields are those "macsim set --help" lists.
)";

constexpr const char* setHelpHead = R"(usage: macsim set FIELD=VALUE...

Changes fields of the hardware state in one atomic update; every assignment
is checked before any is made. Numbers are decimal or 0x hexadecimal.
Fields:
)";

const FieldSpec* lookUp(const std::string& name, std::string& problem)
{
    const FieldSpec* field = findField(name);
    if (!field)
        problem = "unknown field \"" + name + "\" (see \"macsim set --help\")";
    return field;
}

struct Assignment {
    const FieldSpec* field;
    std::string value;
};

} // namespace

int verbGet(const Args& args)
{
    if (wantsHelp(args))
        return printHelp(getHelp);
    if (args.size() != 1)
        return complain("get takes one field name (see \"macsim get --help\")");
    std::string problem;
    const FieldSpec* field = lookUp(args[0], problem);
    if (!field)
        return complain(problem);
    MachineState state;
    if (Error e = readState(currentMachine(), state))
        return complain(e);
    std::printf("%s\n", formatFieldValue(*field, state).c_str());
    return 0;
}

int verbSet(const Args& args)
{
    if (wantsHelp(args)) {
        printHelp(setHelpHead);
        for (const FieldSpec& f : allFields()) {
            if (f.settable)
                std::printf("  %-20s %s\n", f.key, f.help);
        }
        return 0;
    }
    if (args.empty())
        return complain("set needs at least one FIELD=VALUE (see \"macsim set --help\")");

    std::vector<Assignment> assignments;
    MachineState scratch;
    for (const std::string& arg : args) {
        size_t eq = arg.find('=');
        if (eq == std::string::npos)
            return complain("expected FIELD=VALUE, got \"" + arg + "\"");
        std::string name = arg.substr(0, eq);
        std::string value = arg.substr(eq + 1);
        std::string problem;
        const FieldSpec* field = lookUp(name, problem);
        if (!field)
            return complain(problem);
        if (!field->settable)
            return complain(name + " is kept by the machine and cannot be set");
        std::string why;
        if (!parseFieldValue(*field, value, scratch, why))
            return complain("bad value for " + name + ": \"" + value + "\" (" + why + ")");
        assignments.push_back({field, value});
    }

    Error e = updateState(currentMachine(), [&](MachineState& state, std::string&) {
        std::string why;
        for (const Assignment& a : assignments)
            parseFieldValue(*a.field, a.value, state, why);
        return Error {};
    });
    if (e)
        return complain(e);
    return 0;
}

} // namespace macsim::cli
