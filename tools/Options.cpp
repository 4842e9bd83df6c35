#include "Commands.h"

namespace qx::tool {

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::initializer_list<const char*> known) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            if (options.word)
                return std::nullopt;
            options.word = a;
            continue;
        }
        bool isKnown = false;
        for (const char* name : known)
            isKnown = isKnown || a == name;
        if (!isKnown || i + 1 >= args.size())
            return std::nullopt;
        options.values[a] = args[++i];
    }
    return options;
}

std::optional<int> LanguageOption(const Options& options) {
    if (!options.Has("--language"))
        return std::nullopt;
    const std::string& v = options["--language"];
    if (v.size() != 1 || v[0] < '0' || v[0] > '3')
        return std::nullopt;
    return v[0] - '0';
}

} // namespace qx::tool
