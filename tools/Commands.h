#pragma once
// Subcommands of qxkat-tool that live in their own files. Each takes the
// arguments after its name and returns the exit code.

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qx::tool {

// A subcommand's arguments: "--name value" options of the known names and
// at most one word of its own. Nothing when an option is unknown, lacks its
// value or a second word is given.
struct Options {
    std::map<std::string, std::string> values;
    std::optional<std::string> word;
    bool Has(const std::string& name) const { return values.count(name) != 0; }
    const std::string& operator[](const std::string& name) const { return values.at(name); }
};
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::initializer_list<const char*> known);
// The value of --language as 0 to 3; nothing when it isn't one of them.
std::optional<int> LanguageOption(const Options& options);

// Prints the usage text to stderr; returns 2.
int Usage();

// check DIR: one "FILE:LINE: message" line per problem or warning in every
// language, then the counts on stderr; 1 when there was a problem.
int Check(const std::vector<std::string>& args);

// products --program-dir DIR --language N --list FILE [--price-mode M]
// [--update PATH]: one tab-separated line per record as the product page
// shows it.
int Products(const std::vector<std::string>& args);

// unscramble FILE: the decoded contents of a scrambled catalogue file.
int Unscrambled(const std::vector<std::string>& args);

// picture FILE --ppm OUT [--color-depth N]
int Picture(const std::vector<std::string>& args);

// orderlist FILE [--language N] [--save OUT] [--price-mode M] [--csv OUT]:
// the order indication, then one tab-separated line of the 15 stored fields
// per entry; --save writes the list back as the program saves it, --csv as
// the page exports it. 1 when it is not an order list, 2 for bad usage.
// orderlist FILE --import NUMBERS --program-dir DIR --language N
// [--price-mode M]: appends the products of the numbers file to FILE
// (created when missing) and prints each line not taken; 1 when there was one.
int OrderListDump(const std::vector<std::string>& args);

// search --program-dir DIR --language N --mode MODE [--prefix TEXT] [TERM]:
// the entries the search lists for TERM (fields 1 to 3, tab-separated), or
// with --prefix the list position the typed text selects ("not found").
int Search(const std::vector<std::string>& args);

// letters FILE --program-dir DIR --language N [--price-mode M] [--date D]
// [--config INI]: what "Liste drucken" draws, one line per item in page
// units ("PAGE text L|R X Y TEXT", "PAGE block L T R B TEXT", "PAGE line
// solid|dotted X1 Y1 X2 Y2", "PAGE picture NAME X Y").
int Letters(const std::vector<std::string>& args);

// distributors --program-dir DIR --language N --country NAME --brand BRAND
// [--company NUMBER]: the special tools distributor's address lines, "--",
// then each matching workshop equipment distributor's, separated by "--".
int Distributors(const std::vector<std::string>& args);

} // namespace qx::tool
