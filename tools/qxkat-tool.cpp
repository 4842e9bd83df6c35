// qxkat-tool: checks a catalogue below a program directory, prints product
// lists as the product page forms them, decodes scrambled price files and
// shows pictures as the program loads them. Links the core libraries only.
// Each subcommand lives in its own file; this one holds only the table.

#include "Commands.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qx::tool {

int Usage() {
    std::fputs("usage: qxkat-tool check DIR\n"
               "       qxkat-tool products --program-dir DIR --language N --list FILE [--price-mode M] [--update PATH]\n"
               "       qxkat-tool unscramble FILE\n"
               "       qxkat-tool orderlist FILE [--language N] [--save OUT] [--price-mode M] [--csv OUT]\n"
               "       qxkat-tool orderlist FILE --import NUMBERS --program-dir DIR --language N [--price-mode M]\n"
               "       qxkat-tool letters FILE --program-dir DIR --language N [--price-mode M] [--date DD.MM.YYYY] [--config INI]\n"
               "       qxkat-tool distributors --program-dir DIR --language N --country NAME --brand BRAND [--company NUMBER]\n"
               "       qxkat-tool search --program-dir DIR --language N --mode sws|anr|std|prb|prs|prk [--prefix TEXT] [TERM]\n"
               "       qxkat-tool picture FILE --ppm OUT [--color-depth N]\n"
               "N: 0 German, 1 English, 2 French, 3 Czech\n",
               stderr);
    return 2;
}

namespace {

struct Command {
    std::string_view name;
    int (*run)(const std::vector<std::string>& args);
    // Exit code 2 means bad usage, and the usage text follows, unless the
    // subcommand printed its own.
    bool ownUsage;
};

constexpr Command kCommands[] = {
    {"check", Check, true},
    {"products", Products, false},
    {"unscramble", Unscrambled, false},
    {"orderlist", OrderListDump, false},
    {"search", Search, false},
    {"letters", Letters, false},
    {"distributors", Distributors, false},
    {"picture", Picture, true},
};

} // namespace
} // namespace qx::tool

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return qx::tool::Usage();
    for (const qx::tool::Command& command : qx::tool::kCommands) {
        if (command.name != args[0])
            continue;
        const int result = command.run(std::vector<std::string>(args.begin() + 1, args.end()));
        return result == 2 && !command.ownUsage ? qx::tool::Usage() : result;
    }
    return qx::tool::Usage();
}
