#include "Commands.h"

#include "ground/GlobalState.h"
#include "ground/Languages.h"
#include "platform/core/Path.h"
#include "search/SearchIndex.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

namespace qx::tool {

int Search(const std::vector<std::string>& args) {
    static const std::map<std::string, int> kModes = {{"sws", kIndexSws}, {"anr", kIndexAnr}, {"std", kIndexStd},
                                                      {"prb", kIndexPrb}, {"prs", kIndexPrs}, {"prk", kIndexPrk}};
    std::optional<std::string> programDir, language, mode, prefix, term;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--program-dir" && hasValue)
            programDir = args[++i];
        else if (args[i] == "--language" && hasValue)
            language = args[++i];
        else if (args[i] == "--mode" && hasValue)
            mode = args[++i];
        else if (args[i] == "--prefix" && hasValue)
            prefix = args[++i];
        else if (!term && args[i].rfind("--", 0) != 0)
            term = args[i];
        else
            return 2;
    }
    if (!programDir || !language || !mode || language->size() != 1 || (*language)[0] < '0' || (*language)[0] > '3' ||
        !kModes.count(*mode))
        return 2;
    GlobalState state{};
    state.programDir = ToWindowsPath(std::filesystem::absolute(*programDir), true);
    state.languageIndex = (*language)[0] - '0';
    state.dataDir = LanguageAt(state.languageIndex).dataDir;
    IndexList list;
    std::string words = term.value_or("");
    if (!list.Fill(state, kModes.at(*mode), words)) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", IndexPath(state, kModes.at(*mode)).c_str());
        return 1;
    }
    std::string out;
    if (prefix) {
        const std::optional<std::size_t> at = list.FindByPrefix(*prefix);
        out = at ? std::to_string(*at) + "\n" : "not found\n";
    } else {
        for (std::size_t i = 0; i < list.Size(); ++i) {
            const IndexEntry e = list.Entry(i);
            out += e.display + "\t" + e.key + "\t" + e.file + "\n";
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace qx::tool
