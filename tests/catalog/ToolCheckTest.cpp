// qxkat-tool as a user runs it: on a small catalogue written here, and on the
// demo catalogue the build generates.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string out;
};

ToolRun Tool(const std::string& args) {
    ToolRun r;
    const std::string command = std::string("'") + QX_TOOL_PATH + "' " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return r;
    }
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) {
        r.out.append(buf, n);
    }
    const int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("qx_tool_" + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    void Write(const std::string& rel, const std::string& bytes) const {
        fs::create_directories((path_ / rel).parent_path());
        std::ofstream(path_ / rel, std::ios::binary) << bytes;
    }

private:
    fs::path path_;
};

TEST(Tool, BadUsageExitsWithTwo) {
    EXPECT_EQ(Tool("").exitCode, 2);
    EXPECT_EQ(Tool("frobnicate").exitCode, 2);
    EXPECT_EQ(Tool("products --list X").exitCode, 2);
    EXPECT_EQ(Tool("products --program-dir . --language 7 --list X").exitCode, 2);
}

TEST(Tool, ProductsAndUnscramble) {
    TempDir dir;
    dir.Write("DATEN/LANG2/QX.PRS", "EUR\r\nID\r\n01.01.05\r\n01.01.30\r\n1\r\n|N1|1234,5|2|0,00||sofort\r\n");
    dir.Write("DATEN/LANG2/list.txt", "T\r\nG|a\r\nS\r\n2\r\n\r\n"
                                     "k1\r\np\r\nN1\r\nd1\r\n1\r\nName\r\ns\r\n\r\n9\r\ni\r\n\r\nqtx_vz\r\n\r\nt}\r\n\r\n"
                                     "k2\r\np\r\nN2\r\nd2\r\n0\r\nOther\r\ns\r\n\r\n\r\ni\r\n\r\ndorna\r\n\r\nt}\r\n\r\n");
    const ToolRun r = Tool("products --program-dir '" + dir.path().string() + "' --language 1 --list LIST.TXT");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "k1\tN1\td1\tName\t1234,50 EUR\t2,00 EUR\t0.00\ton request\tsofort\tQTX_VZ\t1\n"
                     "k2\tN2\t\tOther\ton request\ton request\ton request\ton request\t\tDORNA\t0\n");

    std::string scrambled = "CRPT";
    unsigned k = 1;
    for (unsigned char ch : std::string("plain\r\ntext")) {
        scrambled += static_cast<char>(static_cast<unsigned char>(ch - k));
        k = (k + 1) % 9;
    }
    dir.Write("s.prs", scrambled);
    const ToolRun u = Tool("unscramble '" + (dir.path() / "s.prs").string() + "'");
    EXPECT_EQ(u.exitCode, 0);
    EXPECT_EQ(u.out, "plain\r\ntext");
}

TEST(Tool, CheckReportsWhatIsBrokenWithFileAndLine) {
    TempDir dir;
    std::string start = "Katalog|kat.bmp|katalog.ber|1|2|3|4|tip\r\nGone|x.bmp|missing.ber|1|2|3|4|\r\n";
    dir.Write("DATEN/LANG1/QXSTART.BER", start);
    std::string many;
    for (int i = 0; i < 65; ++i) {
        many += "E|p.bmp|video.avi|1|2|3|4|\r\n";
    }
    dir.Write("DATEN/LANG1/KATALOG.BER", many);
    const ToolRun r = Tool("check '" + dir.path().string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("DATEN/LANG1/QXSTART.BER:2: missing area file DATEN/LANG1/MISSING.BER"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("DATEN/LANG1/KATALOG.BER:65: more than 64 entries"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("DATEN/LANG1/KATALOG.BER:1: missing video VIDEO/VIDEO.AVI"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("DATEN/LANG1/QXSTART.BER:1: missing picture BILDER/OHNE/800/kat.bmp"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("DATEN/LANG2: missing language data directory"), std::string::npos) << r.out;
    EXPECT_EQ(Tool("check '" + (dir.path() / "nothing").string() + "'").exitCode, 2);
}

TEST(Tool, DemoCatalogueIsClean) {
    const fs::path demo = QX_DEMO_DIR;
    if (!fs::is_directory(demo / "DATEN")) {
        GTEST_SKIP() << "demo catalogue not generated yet";
    }
    const ToolRun r = Tool("check '" + demo.string() + "'");
    EXPECT_EQ(r.exitCode, 0) << r.out;
}

} // namespace
