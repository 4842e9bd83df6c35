#include "CommandLine.h"

#include <charconv>

namespace qx {

namespace {
bool ParseInt(const std::string& s, int& out) {
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && p == end;
}
} // namespace

const char* CommandLineUsage() {
    return "Usage: qxkat [options]\n"
           "The electronic catalogue of workshop equipment and special tools.\n"
           "\n"
           "  --program-dir DIR     catalogue program directory (default: beside the program,\n"
           "                        else the bundled demo catalogue)\n"
           "  --desktop-width N     lay out as on a desktop N pixels wide (640, 800, 1024, ...)\n"
           "  --language N          start in language N without asking (0 German, 1 English,\n"
           "                        2 French, 3 Czech)\n"
           "  --config FILE         use FILE instead of qxkat.ini in the configuration directory\n"
           "  --print-to DIR        print jobs write DIR/QTX-<n>.pdf instead of asking for a printer\n"
           "  --snapshot DIR        write a picture of every page into DIR and exit\n"
           "  --check-layout        with --snapshot: report every text that overlaps another\n"
           "                        or is cut; exit code 1 when there is any\n"
           "  --help                show this text\n"
           "  --version             show the version\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                cl.error = "missing value for " + a;
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (a == "--version") {
            cl.version = true;
        } else if (a == "--program-dir") {
            if (!value(cl.programDir))
                break;
        } else if (a == "--config") {
            if (!value(cl.configFile))
                break;
        } else if (a == "--snapshot") {
            if (!value(cl.snapshotDir))
                break;
        } else if (a == "--check-layout") {
            cl.checkLayout = true;
        } else if (a == "--print-to") {
            if (!value(cl.printToDir))
                break;
        } else if (a == "--desktop-width") {
            if (!value(v))
                break;
            if (!ParseInt(v, cl.desktopWidth) || cl.desktopWidth < 320 || cl.desktopWidth > 16384) {
                cl.error = "bad desktop width: " + v;
                break;
            }
        } else if (a == "--language") {
            if (!value(v))
                break;
            if (!ParseInt(v, cl.language) || cl.language < 0 || cl.language > 3) {
                cl.error = "bad language (0 to 3): " + v;
                break;
            }
        } else if (a.rfind("--", 0) == 0) {
            cl.error = "unknown option: " + a;
            break;
        } else if (a.rfind("-", 0) == 0) {
            // A window-system option and, when it takes one, its value.
            cl.passThrough.push_back(a);
            if ((a == "-platform" || a == "-display" || a == "-style" || a == "-qwindowgeometry") &&
                i + 1 < args.size())
                cl.passThrough.push_back(args[++i]);
        } else {
            cl.error = "unexpected argument: " + a;
            break;
        }
    }
    if (cl.error.empty() && cl.checkLayout && cl.snapshotDir.empty())
        cl.error = "--check-layout needs --snapshot DIR";
    return cl;
}

} // namespace qx
