#include "Commands.h"

#include "ground/GlobalState.h"
#include "ground/Languages.h"
#include "orders/OrderLetters.h"
#include "platform/core/Path.h"
#include "platform/core/Profile.h"
#include "platform/core/RecordingDc.h"
#include "suppliers/AddressFile.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>

namespace qx::tool {

namespace {

// "DD.MM.YYYY" as midday local time; nothing when it isn't a date.
std::optional<std::time_t> ParseDate(const std::string& text) {
    int d = 0, m = 0, y = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d%c", &d, &m, &y, &tail) != 3 || d < 1 || d > 31 || m < 1 || m > 12 ||
        y < 1900 || y > 9999)
        return std::nullopt;
    std::tm tm{};
    tm.tm_mday = d;
    tm.tm_mon = m - 1;
    tm.tm_year = y - 1900;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF that follows is written
        if (text[i] == '\n' || text[i] == '\r')
            out += "\\n";
        else
            out += text[i];
    }
    return out;
}

} // namespace

int Letters(const std::vector<std::string>& args) {
    const std::optional<Options> o =
        ParseOptions(args, {"--program-dir", "--language", "--price-mode", "--date", "--config"});
    if (!o || !o->word || !o->Has("--program-dir") || !LanguageOption(*o))
        return 2;
    const std::string priceMode = o->Has("--price-mode") ? (*o)["--price-mode"] : "0";
    if (priceMode != "-1" && priceMode != "0" && priceMode != "1")
        return 2;
    GlobalState state{};
    state.programDir = ToWindowsPath(std::filesystem::absolute((*o)["--program-dir"]), true);
    state.languageIndex = *LanguageOption(*o);
    state.dataDir = LanguageAt(state.languageIndex).dataDir;
    state.priceMode = std::stoi(priceMode);
    state.currency = "DM";

    const std::string listPath = ToWindowsPath(std::filesystem::absolute(*o->word));
    OrderList list;
    switch (LoadOrderList(listPath, list)) {
    case OrderListRead::Missing:
        std::fprintf(stderr, "qxkat-tool: cannot read %s\n", o->word->c_str());
        return 1;
    case OrderListRead::WrongFormat: {
        const std::string message = kWrongOrderListFormat.Text(state.languageIndex) + "\n";
        std::fwrite(message.data(), 1, message.size(), stdout);
        return 1;
    }
    case OrderListRead::Loaded:
        break;
    }
    std::string addressFile;
    if (o->Has("--config"))
        addressFile = Profile(std::filesystem::absolute((*o)["--config"])).GetString("Paths", "adr", "", 260);

    LetterInput in;
    in.list = &list;
    in.state = &state;
    in.info = LetterOrderInfo(listPath, state.programDir.str(), state.languageIndex);
    if (auto addresses = ReadAddressFile(addressFile))
        in.addresses = std::move(*addresses);
    if (o->Has("--date")) {
        const std::optional<std::time_t> t = ParseDate((*o)["--date"]);
        if (!t)
            return 2;
        in.today = *t;
    } else {
        in.today = std::time(nullptr);
    }

    RecordingDc dc(Size{2400, 3400}, true);
    dc.StartPage();
    // Pictures are announced while drawing: mark where each one falls among the calls.
    std::vector<std::pair<std::size_t, std::string>> pictures;
    in.pictureDrawn = [&](std::string_view name, int x, int y) {
        pictures.emplace_back(dc.Calls().size(), std::string(name) + "\t" + std::to_string(x) + "\t" + std::to_string(y));
    };
    LayOutOrderLetters(dc, in);
    dc.EndPage();
    std::string out;
    std::size_t nextPicture = 0;
    const auto& calls = dc.Calls();
    for (std::size_t i = 0; i <= calls.size(); ++i) {
        while (nextPicture < pictures.size() && pictures[nextPicture].first == i) {
            const int page = i < calls.size() ? calls[i].page : dc.PagesStarted();
            out += std::to_string(page) + "\tpicture\t" + pictures[nextPicture++].second + "\n";
        }
        if (i == calls.size())
            break;
        const DrawCall& c = calls[i];
        const std::string page = std::to_string(c.page) + "\t";
        switch (c.kind) {
        case DrawCall::Kind::Text:
            out += page + "text\t" + ((c.format & TA_RIGHT) == TA_RIGHT ? "R" : "L") + "\t" + std::to_string(c.at.x) +
                   "\t" + std::to_string(c.at.y) + "\t" + Escaped(c.text) + "\n";
            break;
        case DrawCall::Kind::DrawText:
            out += page + "block\t" + std::to_string(c.rect.left) + "\t" + std::to_string(c.rect.top) + "\t" +
                   std::to_string(c.rect.right) + "\t" + std::to_string(c.rect.bottom) + "\t" + Escaped(c.text) + "\n";
            break;
        case DrawCall::Kind::Line:
            for (std::size_t p = 1; p < c.points.size(); ++p) {
                out += page + "line\t" + (c.pen.style == PenStyle::Solid ? "solid" : "dotted") + "\t" +
                       std::to_string(c.points[p - 1].x) + "\t" + std::to_string(c.points[p - 1].y) + "\t" +
                       std::to_string(c.points[p].x) + "\t" + std::to_string(c.points[p].y) + "\n";
            }
            break;
        default:
            break; // pages, and the logos' pixels (announced above by name)
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace qx::tool
