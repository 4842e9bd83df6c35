// qxkat-tool check DIR: walks the catalogue below a program directory in
// every language as the program would and reports what is missing, overlong
// or unreadable, one "FILE:LINE: message" line each.

#include "Commands.h"

#include "ground/GlobalState.h"
#include "ground/Languages.h"
#include "catalog/CatalogText.h"
#include "catalog/GroupFile.h"
#include "catalog/Picture.h"
#include "catalog/PriceList.h"
#include "catalog/ProductList.h"
#include "catalog/Requirements.h"
#include "navigation/AreaFile.h"
#include "navigation/External.h"
#include "platform/core/Clock.h"
#include "platform/core/Path.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qx::tool {

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& ch : out) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
    return out;
}

// Display form of a backslash path relative to the program directory.
std::string Shown(std::string_view rel) {
    std::string s(rel);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

// Lines split at LF, each without its CR.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lf = text.find('\n', start);
        const std::size_t stop = lf == std::string_view::npos ? text.size() : lf;
        std::string_view line = text.substr(start, stop - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = stop + 1;
    }
    return lines;
}

// The data lines of a table, from line `first` (0-based) up to its first "["
// line, comment and empty lines passed over: f(line, its 1-based number).
template <class F>
void ForEachDataLine(const std::vector<std::string_view>& lines, std::size_t first, F&& f) {
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (!line.empty() && line[0] == '[') {
            break;
        }
        if (!line.empty() && line[0] != '#') {
            f(line, static_cast<int>(i + 1));
        }
    }
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) {
            return fields;
        }
        start = bar + 1;
    }
}

int LineOf(const CatalogBlock& block, const char* pos) {
    const char* begin = block.Data();
    const char* end = std::min(pos, block.Data() + block.ContentSize());
    return 1 + static_cast<int>(std::count(begin, std::max(begin, end), '\n'));
}

constexpr int kScreenWidths[] = {640, 800, 1024};
constexpr const char* kDistTables[] = {"DIST_GR.TAB", "DIST_UK.TAB", "DIST_FR.TAB", "DIST_CZ.TAB"};
constexpr const char* kOrderTemplates[] = {"stkt_gr.bst", "stkt_uk.bst", "stkt_fr.bst", "stkt_cz.bst"};

class Checker {
public:
    explicit Checker(const fs::path& root) {
        state_.programDir = ToWindowsPath(fs::absolute(root), true);
        state_.colorDepth = 24;
    }

    int Run() {
        for (int lang = 0; lang < kLanguageCount; ++lang) {
            CheckLanguage(lang);
        }
        std::fprintf(stderr, "%d problem(s), %d warning(s)\n", problems_, warnings_);
        return problems_ ? 1 : 0;
    }

private:
    // ---- reporting and existence ------------------------------------------
    void Problem(std::string_view file, int line, const std::string& message) {
        Report(file, line, message);
        ++problems_;
    }
    void Warning(std::string_view file, int line, const std::string& message) {
        Report(file, line, "warning: " + message);
        ++warnings_;
    }
    void Report(std::string_view file, int line, const std::string& message) {
        if (line > 0) {
            std::printf("%s:%d: %s\n", Shown(file).c_str(), line, message.c_str());
        } else {
            std::printf("%s: %s\n", Shown(file).c_str(), message.c_str());
        }
    }
    std::string Full(std::string_view rel) const { return state_.programDir.str() + std::string(rel); }
    bool Exists(std::string_view rel) const { return FileExists(Full(rel)); }

    // A file a catalogue file names; reported once per referrer line.
    bool NeedFile(std::string_view rel, std::string_view from, int line, std::string_view what) {
        if (Exists(rel)) {
            return true;
        }
        if (from.empty()) {
            Problem(rel, 0, "missing " + std::string(what));
        } else {
            Problem(from, line, "missing " + std::string(what) + " " + Shown(rel));
        }
        return false;
    }

    // Pictures go through the program's own loader: a file that is there but
    // does not load shows nothing on screen, which is as bad as missing.
    void NeedPicture(std::string_view rel, std::string_view from, int line, bool optional = false) {
        const std::string key = Upper(rel);
        auto it = pictureOk_.find(key);
        if (it == pictureOk_.end()) {
            const int state = !Exists(rel) ? 0 : (LoadPicture(state_, rel).IsNull() ? 1 : 2);
            it = pictureOk_.emplace(key, state).first;
        }
        if (it->second == 2) {
            return;
        }
        std::string message = it->second == 0 ? "missing picture" : "unreadable picture";
        if (from.empty()) {
            from = rel;
        } else {
            message += " " + Shown(rel);
        }
        if (optional) {
            Warning(from, line, message);
        } else {
            Problem(from, line, message);
        }
    }
    void NeedPictureAllWidths(std::string_view prefix, std::string_view name, std::string_view from, int line,
                              bool optional = false) {
        for (int w : kScreenWidths) {
            NeedPicture(std::string(prefix) + std::to_string(w) + "\\" + std::string(name), from, line, optional);
        }
    }

    void CapacityCheck(std::string_view value, std::size_t capacity, std::string_view what, std::string_view file,
                       int line) {
        if (value.size() > capacity) {
            Problem(file, line,
                    std::string(what) + " longer than " + std::to_string(capacity) + " characters (" +
                        std::to_string(value.size()) + ")");
        }
    }

    // ---- one language -------------------------------------------------------
    void CheckLanguage(int lang) {
        const LanguageInfo& info = LanguageAt(lang);
        lang_ = lang;
        dataDir_ = info.dataDir;
        langDir_ = info.langDir;
        state_.dataDir = dataDir_;
        state_.langDir = langDir_;
        state_.languageIndex = lang;
        visitedAreas_.clear();
        checkedGroups_.clear();
        productKeys_.clear();
        checkedRequirements_.clear();
        checkedIndexes_.clear();

        const fs::path dataPath = ResolvePath(Full(dataDir_));
        if (!fs::is_directory(dataPath)) {
            Problem(dataDir_.substr(0, dataDir_.size() - 1), 0, "missing language data directory");
            return;
        }
        const std::string prs = dataDir_ + "QX.PRS";
        if (NeedFile(prs, "", 0, "price list")) {
            const std::optional<PriceListHeader> h = ReadPriceListHeader(Full(prs));
            if (!h || h->currency.empty()) {
                Problem(prs, 1, "no currency in the price list header");
            } else if (!ParseCatalogDate(h->date) || !ParseCatalogDate(h->expiry)) {
                Warning(prs, 3, "price list date or expiry is not a complete date");
            }
        }
        NeedFile(std::string("HTML\\") + langDir_ + "Betrieb.htm", "", 0, "delivery terms");
        NeedFile(std::string("HTML\\") + langDir_ + "Spezial.htm", "", 0, "delivery terms");
        CheckIndex("SWS", true);
        CheckIndex("ANR", true);
        CheckIndex("STD", false);
        CheckDistributorTable(kDistTables[lang]);
        NeedFile(kOrderTemplates[lang], "", 0, "order information template");

        // Every area file parses, reachable or not; reachable ones are walked.
        std::vector<std::string> allAreas;
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(dataPath, ec)) {
            const std::string name = e.path().filename().string();
            if (name.size() > 4 && Upper(name.substr(name.size() - 4)) == ".BER") {
                allAreas.push_back(name);
            }
        }
        std::sort(allAreas.begin(), allAreas.end());
        WalkArea("QXSTART.BER", "QXStart.bmp", "", 0);
        for (const std::string& name : allAreas) {
            if (!parsedAreas_.count(Upper(dataDir_ + name))) {
                CheckAreaFileSyntax(name);
            }
        }
    }

    // ---- area files -----------------------------------------------------------
    std::optional<AreaFileParse> CheckAreaFileSyntax(const std::string& name) {
        const std::string rel = dataDir_ + name;
        parsedAreas_.insert(Upper(rel));
        std::optional<std::string> bytes;
        std::optional<CatalogBlock> block = LoadCatalogFile(Full(rel));
        if (!block) {
            return std::nullopt;
        }
        const std::string_view content = block->Content();
        const AreaFileParse parse = ParseAreaFile(content);
        const std::vector<std::string_view> lines = SplitLines(content);
        for (const AreaEntry& e : parse.entries) {
            const std::string_view line = e.line - 1 < static_cast<int>(lines.size()) ? lines[e.line - 1] : "";
            CapacityCheck(line, 247, "area line", rel, e.line);
            const std::vector<std::string_view> f = SplitFields(line);
            const std::size_t caps[] = {127, 127, 127, 0, 0, 0, 0, 255};
            const char* names[] = {"caption", "picture", "target", "", "", "", "", "tooltip"};
            for (std::size_t i = 0; i < f.size() && i < 8; ++i) {
                if (caps[i]) {
                    CapacityCheck(f[i], caps[i], names[i], rel, e.line);
                }
            }
        }
        if (parse.tooManyEntries) {
            Problem(rel, parse.firstExcessLine, "more than 64 entries (\"Maximal 64 Eintr\xE4ge zul\xE4ssig.\")");
        }
        return parse;
    }

    void WalkArea(const std::string& name, const std::string& picture, std::string_view from, int fromLine) {
        const std::string rel = dataDir_ + name;
        const AreaPageKind kind = AreaPageKindOf(name);
        if (kind != AreaPageKind::SubArea && !picture.empty()) {
            NeedPictureAllWidths("BILDER\\OHNE\\", picture, from, fromLine);
        }
        if (!visitedAreas_.insert(Upper(rel)).second) {
            return;
        }
        if (!NeedFile(rel, from, fromLine, "area file")) {
            return;
        }
        const std::optional<AreaFileParse> parse = CheckAreaFileSyntax(name);
        if (!parse) {
            return;
        }
        if (kind == AreaPageKind::SubArea && !parse->entries.empty() && !parse->entries[0].picture.empty()) {
            NeedPictureAllWidths(std::string("BILDER\\") + langDir_, parse->entries[0].picture, rel,
                                 parse->entries[0].line);
        }
        for (const AreaEntry& e : parse->entries) {
            if (kind == AreaPageKind::Catalogue && !e.picture.empty()) {
                NeedPictureAllWidths("BILDER\\", e.picture, rel, e.line);
            }
            CheckAreaTarget(e, rel);
        }
    }

    void CheckAreaTarget(const AreaEntry& e, const std::string& rel) {
        const std::string target = e.target.str();
        switch (ClassifyAreaTarget(target)) {
        case AreaTargetKind::Video:
            NeedFile("VIDEO\\" + target, rel, e.line, "video");
            break;
        case AreaTargetKind::Program:
            NeedFile(std::string(ProgramNameOf(target)), rel, e.line, "program");
            break;
        case AreaTargetKind::Document:
            NeedFile("PDF\\" + langDir_ + target, rel, e.line, "document");
            break;
        case AreaTargetKind::DocumentsPrb:
            CheckIndex("PRB", false);
            break;
        case AreaTargetKind::DocumentsPrs:
            CheckIndex("PRS", false);
            break;
        case AreaTargetKind::DocumentsPrk:
            CheckIndex("PRK", false);
            break;
        case AreaTargetKind::Requirements:
            CheckRequirements(target, rel, e.line);
            break;
        case AreaTargetKind::SubArea:
            WalkArea(target, e.picture.str(), rel, e.line);
            break;
        case AreaTargetKind::GroupList:
            if (!target.empty()) {
                CheckGroup(target, rel, e.line);
            }
            break;
        default: // back, order list, searches, delivery terms: checked per language
            break;
        }
    }

    // ---- group files and product lists ----------------------------------------
    void CheckGroup(const std::string& groupName, std::string_view from, int fromLine) {
        const std::string rel = dataDir_ + groupName + ".gpe";
        if (!checkedGroups_.insert(Upper(rel)).second || !NeedFile(rel, from, fromLine, "group file")) {
            return;
        }
        const std::optional<CatalogBlock> block = LoadCatalogFile(Full(rel));
        if (!block) {
            return;
        }
        const GroupFile g = ParseGroupFile(*block);
        // Entry lines longer than 127 characters are cut by the reader.
        const std::vector<std::string_view> lines = SplitLines(block->Content());
        ForEachDataLine(lines, 3, [&](std::string_view line, int n) {
            CapacityCheck(line, 127, "group entry line", rel, n);
        });
        for (const GroupEntry& e : g.entries) {
            const int line = LineOfText(lines, e.line.str());
            if (!e.picture.empty()) {
                NeedPictureAllWidths("BILDER\\", e.picture, rel, line);
            }
            const bool leaf = std::none_of(g.entries.begin(), g.entries.end(), [&](const GroupEntry& other) {
                return other.hierarchyCode.size() > e.hierarchyCode.size() &&
                       other.hierarchyCode.str().compare(0, e.hierarchyCode.size(), e.hierarchyCode.str()) == 0;
            });
            if (leaf && e.listFile.empty()) {
                Problem(rel, line, "leaf entry without a product list");
            } else if (leaf) {
                CheckProductList(e.listFile.str(), rel, line);
            }
        }
    }

    static int LineOfText(const std::vector<std::string_view>& lines, std::string_view prefix) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].substr(0, prefix.size()) == prefix) {
                return static_cast<int>(i + 1);
            }
        }
        return 0;
    }

    // Returns the keys of the list's records (empty when it can't be read).
    const std::set<std::string>& CheckProductList(const std::string& listFile, std::string_view from, int fromLine) {
        const std::string rel = dataDir_ + listFile;
        auto [it, inserted] = productKeys_.try_emplace(Upper(rel));
        if (!inserted || !NeedFile(rel, from, fromLine, "product list")) {
            return it->second;
        }
        const std::optional<CatalogBlock> block = LoadCatalogFile(Full(rel));
        if (!block) {
            return it->second;
        }
        const ProductList list = ParseProductList(*block, "DM", lang_);
        CheckProductListSyntax(*block, rel, list);
        if (!Exists(dataDir_ + list.header.groupFile.str() + ".gpe")) {
            Problem(rel, 2, "missing group file " + Shown(dataDir_ + list.header.groupFile.str() + ".gpe"));
        }
        for (const ProductRecord& r : list.records) {
            const int line = RecordLine(*block, r.key.str());
            it->second.insert(r.key.str());
            if (!r.picture.empty()) {
                NeedPictureAllWidths("BILDER\\", r.picture, rel, line);
                // Not every product has a dimension drawing; the drawing page
                // then stays empty.
                NeedPicture("BILDER\\ZEICHNG\\" + r.picture.str(), rel, line, true);
            }
            if (!r.sheetPicture.empty()) {
                NeedPicture(r.sheetPicture.str(), rel, line);
            }
            if (!r.infoFile.empty()) {
                NeedFile("HTML\\" + langDir_ + r.infoFile.str(), rel, line, "product information");
            }
        }
        return it->second;
    }

    static int RecordLine(const CatalogBlock& block, const std::string& key) {
        const std::string needle = "\n" + key + "\r";
        const std::size_t p = block.Content().find(needle);
        return p == std::string_view::npos ? 0 : LineOf(block, block.Data() + p + 1);
    }

    // Walks the file as the reader does, with no cut, to find overlong values,
    // a missing "}" and a count larger than the records present.
    void CheckProductListSyntax(const CatalogBlock& block, const std::string& rel, const ProductList& list) {
        constexpr std::size_t kCaps[12] = {31, 31, 31, 31, 0, 127, 255, 127, 31, 31, 31, 31};
        constexpr const char* kNames[12] = {"key", "picture", "number", "designation", "", "name", "sheet picture",
                                            "sheet footer", "VZ price", "info file", "reserved", "supplier"};
        TextCursor c = CursorAt(block);
        std::string value;
        auto readChecked = [&](std::size_t cap, const char* what) {
            SkipComments(c);
            const int line = LineOf(block, c.pos);
            ReadLine(c, value, kSearchLimit);
            if (cap) {
                CapacityCheck(value, cap, what, rel, line);
            }
        };
        readChecked(255, "title");
        readChecked(0, "");
        readChecked(255, "subtitle");
        SkipLine(c); // count (line 4)
        SkipLine(c);
        for (std::size_t i = 0; i < list.records.size(); ++i) {
            for (std::size_t f = 0; f < 12; ++f) {
                readChecked(kCaps[f], kNames[f]);
            }
            if (c.Peek() == '\r') {
                SkipLine(c);
            }
            SkipComments(c);
            const int line = LineOf(block, c.pos);
            const char* stop = c.pos + std::min<std::size_t>(static_cast<std::size_t>(c.end - c.pos), kSearchLimit);
            const char* brace = std::find(c.pos, stop, '}');
            if (brace == stop) {
                Problem(rel, line, "free text without \"}\"");
                break;
            }
            c.pos = brace + 1;
            SkipLine(c);
            SkipLine(c);
        }
        if (list.header.declaredCount > static_cast<std::int32_t>(list.records.size())) {
            Problem(rel, 4,
                    "declares " + std::to_string(list.header.declaredCount) + " records but holds " +
                        std::to_string(list.records.size()));
        }
    }

    // ---- requirements ---------------------------------------------------------
    void CheckRequirements(const std::string& name, std::string_view from, int fromLine) {
        const std::string rel = dataDir_ + name;
        if (!checkedRequirements_.insert(Upper(rel)).second || !NeedFile(rel, from, fromLine, "requirements file")) {
            return;
        }
        const std::optional<CatalogBlock> block = LoadCatalogFile(Full(rel));
        if (!block) {
            return;
        }
        const RequirementsFile r = ParseRequirements(*block);
        if (!r.infoFile.empty()) {
            NeedFile("HTML\\" + langDir_ + r.infoFile.str(), rel, 2, "requirements information");
        }
        if (r.declaredCount > static_cast<std::int32_t>(r.rows.size())) {
            Problem(rel, 5,
                    "declares " + std::to_string(r.declaredCount) + " rows but holds " + std::to_string(r.rows.size()));
        }
        const std::vector<std::string_view> lines = SplitLines(block->Content());
        for (const RequirementRow& row : r.rows) {
            if (!row.picture.empty()) {
                const int line = LineOfText(lines, row.code.str() + "|" + row.quantity.str() + "|");
                NeedPictureAllWidths("BILDER\\", row.picture, rel, line);
            }
        }
    }

    // ---- index files, distributor tables ---------------------------------------
    void CheckIndex(const std::string& ext, bool products) {
        const std::string rel = dataDir_ + "Katalog." + ext;
        if (!checkedIndexes_.insert(ext).second || !NeedFile(rel, "", 0, "index file")) {
            return;
        }
        const std::optional<CatalogBlock> block = LoadCatalogFile(Full(rel));
        if (!block) {
            return;
        }
        ForEachDataLine(SplitLines(block->Content()), 0, [&](std::string_view line, int n) {
            CapacityCheck(line, 252, "index line", rel, n);
            const std::vector<std::string_view> f = SplitFields(line);
            CapacityCheck(f[0], 255, "display text", rel, n);
            for (std::size_t k = 1; k < f.size() && k < 3; ++k) {
                CapacityCheck(f[k], 127, k == 1 ? "product key" : "file name", rel, n);
                if (!f[k].empty() && f[k][0] == '#') {
                    Problem(rel, n, "field " + std::to_string(k + 1) + " begins with \"#\"");
                }
            }
            const std::string file = f.size() > 2 ? std::string(f[2]) : std::string();
            if (file.empty()) {
                Problem(rel, n, "entry without a file name");
            } else if (products) {
                const std::set<std::string>& keys = CheckProductList(file, rel, n);
                const std::string key = f.size() > 1 ? std::string(f[1]) : std::string();
                if (Exists(dataDir_ + file) && !key.empty() && !keys.count(key)) {
                    Problem(rel, n, "product key " + key + " not in " + Shown(dataDir_ + file));
                }
            } else {
                NeedFile("PDF\\" + langDir_ + file, rel, n, "document");
            }
        });
    }

    void CheckDistributorTable(const std::string& name) {
        if (!NeedFile(name, "", 0, "distributor table")) {
            return;
        }
        const std::optional<CatalogBlock> block = LoadCatalogFile(Full(name));
        if (!block) {
            return;
        }
        ForEachDataLine(SplitLines(block->Content()), 0, [&](std::string_view line, int n) {
            CapacityCheck(line, 250, "distributor line", name, n);
            const std::vector<std::string_view> f = SplitFields(line);
            if (f.size() < 7) {
                Problem(name, n, "fewer than seven fields");
                return;
            }
            CapacityCheck(f[2], 63, "country", name, n);
            CapacityCheck(f[4], 63, "company number", name, n);
            CapacityCheck(f[5], 63, "kind", name, n);
        });
    }

    GlobalState state_;
    int lang_ = 0;
    std::string dataDir_;
    std::string langDir_;
    int problems_ = 0;
    int warnings_ = 0;
    std::map<std::string, int> pictureOk_; // 0 missing, 1 unreadable, 2 fine
    std::set<std::string> parsedAreas_;
    std::set<std::string> visitedAreas_;
    std::set<std::string> checkedGroups_;
    std::set<std::string> checkedRequirements_;
    std::set<std::string> checkedIndexes_;
    std::map<std::string, std::set<std::string>> productKeys_;
};

} // namespace

int Check(const std::vector<std::string>& args) {
    if (args.size() != 1)
        return Usage();
    if (!fs::is_directory(args[0])) {
        std::fprintf(stderr, "qxkat-tool: %s is not a directory\n", args[0].c_str());
        return 2;
    }
    return Checker(args[0]).Run();
}

} // namespace qx::tool
