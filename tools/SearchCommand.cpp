#include "Commands.h"

#include "ground/GlobalState.h"
#include "ground/Languages.h"
#include "platform/core/Path.h"
#include "search/SearchIndex.h"

#include <cstdio>
#include <filesystem>
#include <map>

namespace qx::tool {

int Search(const std::vector<std::string>& args) {
    static const std::map<std::string, int> kModes = {{"sws", kIndexSws}, {"anr", kIndexAnr}, {"std", kIndexStd},
                                                      {"prb", kIndexPrb}, {"prs", kIndexPrs}, {"prk", kIndexPrk}};
    const std::optional<Options> o = ParseOptions(args, {"--program-dir", "--language", "--mode", "--prefix"});
    if (!o || !o->Has("--program-dir") || !o->Has("--mode") || !LanguageOption(*o) || !kModes.count((*o)["--mode"]))
        return 2;
    const int mode = kModes.at((*o)["--mode"]);
    GlobalState state{};
    state.programDir = ToWindowsPath(std::filesystem::absolute((*o)["--program-dir"]), true);
    state.languageIndex = *LanguageOption(*o);
    state.dataDir = LanguageAt(state.languageIndex).dataDir;
    IndexList list;
    std::string words = o->word.value_or("");
    if (!list.Fill(state, mode, words)) {
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", IndexPath(state, mode).c_str());
        return 1;
    }
    std::string out;
    if (o->Has("--prefix")) {
        const std::optional<std::size_t> at = list.FindByPrefix((*o)["--prefix"]);
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
