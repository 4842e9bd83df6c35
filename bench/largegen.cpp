// qxkat-largegen: writes a large catalogue for benchmarks and load checks.
//   qxkat-largegen DIR [--records N] [--price-lines N] [--update-lines N] [--index-entries N] [--order-entries N] [--seed N]

#include "LargeCatalog.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    qx::LargeCatalogSize size;
    const char* dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        auto number = [&](int& out) {
            if (i + 1 >= argc)
                return false;
            const char* s = argv[++i];
            auto [p, ec] = std::from_chars(s, s + std::strlen(s), out);
            return ec == std::errc() && *p == '\0' && out >= 0;
        };
        int seed = 0;
        const std::string a = argv[i];
        bool ok = true;
        if (a == "--records")
            ok = number(size.records);
        else if (a == "--price-lines")
            ok = number(size.priceLines);
        else if (a == "--update-lines")
            ok = number(size.updateLines);
        else if (a == "--index-entries")
            ok = number(size.indexEntries);
        else if (a == "--order-entries")
            ok = number(size.orderEntries);
        else if (a == "--seed")
            ok = number(seed), size.seed = static_cast<unsigned>(seed);
        else if (!dir && a.rfind("--", 0) != 0)
            dir = argv[i];
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "usage: qxkat-largegen DIR [--records N] [--price-lines N] [--update-lines N] [--index-entries N] [--order-entries N] [--seed N]\n");
            return 2;
        }
    }
    if (!dir) {
        std::fprintf(stderr, "usage: qxkat-largegen DIR [--records N] [--price-lines N] [--update-lines N] [--index-entries N] [--order-entries N] [--seed N]\n");
        return 2;
    }
    if (!qx::WriteLargeCatalog(dir, size)) {
        std::fprintf(stderr, "qxkat-largegen: cannot write below %s\n", dir);
        return 1;
    }
    std::printf("%d records, %d price lines, %d update lines, %d index entries, %d order entries written below %s\n",
                size.records, size.priceLines, size.updateLines, size.indexEntries, size.orderEntries, dir);
    return 0;
}
