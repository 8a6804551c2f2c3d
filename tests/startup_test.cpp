// Start-up failures, on the real program run without a display in a
// directory of its own: the right message on standard output, status 0.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct run_result {
    std::string out;  // standard output
    std::string err;  // standard error
    int status;
};

class StartUp : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        char name[] = "/tmp/vorlix-start-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        for (const char *wav : {"start.wav", "laser.wav", "candy.wav", "hit.wav"})
            std::system(("cp " + std::string(VORLIX_ASSETS) + "/" + wav + " " + dir).c_str());
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }

    void write_config(const std::string &text)
    {
        std::ofstream(dir + "/vorlix.cfg", std::ios::binary) << text;
    }

    // Runs the game there with no display, with the arguments given, and
    // returns what it printed.
    run_result run(const std::string &args = "")
    {
        std::string cmd = "cd " + dir + " && env -u DISPLAY " + VORLIX_PROGRAM + " " + args + " 2>err";
        FILE *p = popen(cmd.c_str(), "r");
        run_result r;
        char buf[256];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            r.out.append(buf, n);
        int status = pclose(p);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::ifstream err(dir + "/err");
        r.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
        return r;
    }

    void expect_message(const std::string &config, const std::string &message)
    {
        write_config(config);
        run_result r = run();
        EXPECT_EQ(r.out, message) << "config: " << config;
        EXPECT_EQ(r.status, 0) << "config: " << config;
    }
};

const char wintype_msg[] = "wintype must be 0 or 1.\n";
const char bgcol_msg[] = "bgcol must be 0 or 1.\n";
const char graphics_msg[] = "Graphics error or wrong resolution.\n";

TEST_F(StartUp, MissingConfigurationNamesTheFile)
{
    run_result r = run();
    EXPECT_EQ(r.out, "File vorlix.cfg not found.\n");
    EXPECT_EQ(r.status, 0);
    mkdir((dir + "/vorlix.cfg").c_str(), 0755);  // a directory is no file either
    r = run();
    EXPECT_EQ(r.out, "File vorlix.cfg not found.\n");
}

TEST_F(StartUp, EachBadValueGetsItsOwnMessageInOrder)
{
    expect_message("2 0", wintype_msg);
    expect_message("0 5", bgcol_msg);
    expect_message("3 7", wintype_msg);
    expect_message("-1 1", wintype_msg);
    expect_message("1 -1", bgcol_msg);
}

TEST_F(StartUp, ValuesThatAreNotIn32BitIntegersFailTheirOwnTest)
{
    expect_message("4294967296 4294967297", wintype_msg);
    expect_message("0 4294967297", bgcol_msg);
    expect_message("1 -2147483649", bgcol_msg);
    expect_message("99999999999999999999999999 1", wintype_msg);
}

TEST_F(StartUp, MissingOrNonNumericValuesFailTheirOwnTest)
{
    expect_message("", wintype_msg);
    expect_message("   \n", wintype_msg);
    expect_message("1", bgcol_msg);
    expect_message("one two", wintype_msg);
    expect_message("1 x", bgcol_msg);
    expect_message("0.5 1", bgcol_msg);
}

TEST_F(StartUp, GoodValuesWithoutADisplayStopWithTheGraphicsMessage)
{
    expect_message("0 0", graphics_msg);
    expect_message("1 1\nanything after the values is ignored", graphics_msg);
    expect_message("\xef\xbb\xbf" "1 0\n", graphics_msg);  // an editor's byte order mark
    expect_message("+1\t\t-0", graphics_msg);
}

TEST_F(StartUp, HostileConfigurationFilesNeitherCrashNorHang)
{
    expect_message(std::string("\x00\x01\x02\xff\xfe", 5), wintype_msg);
    expect_message(std::string("1\x00 0", 4), bgcol_msg);
    expect_message("\xef\xbb" "1 0", wintype_msg);  // half a byte order mark
    expect_message(std::string(3000000, '7'), wintype_msg);
    expect_message(std::string(3000000, ' ') + "0 1", graphics_msg);
    expect_message("1 " + std::string(3000000, '0') + "1", graphics_msg);
    // A pipe of that name would block a plain open; a device never ends.
    std::string cfg = dir + "/vorlix.cfg";
    unlink(cfg.c_str());
    ASSERT_EQ(mkfifo(cfg.c_str(), 0644), 0);
    EXPECT_EQ(run().out, "File vorlix.cfg not found.\n");
    unlink(cfg.c_str());
    ASSERT_EQ(symlink("/dev/zero", cfg.c_str()), 0);
    EXPECT_EQ(run().out, "File vorlix.cfg not found.\n");
}

TEST_F(StartUp, ABadCommandLineSaysWhatIsWrongAndOpensNoWindow)
{
    write_config("1 0");
    const std::string whole = "--scale takes a whole number from 1 to 32";
    const struct {
        std::string args, says;
    } cases[] = {
        {"--scale 0", whole + ", not \"0\"."},
        {"--scale -2", whole + ", not \"-2\"."},
        {"--scale two", whole + ", not \"two\"."},
        {"--scale 2.5", whole + ", not \"2.5\"."},
        {"--scale 33", whole + ", not \"33\"."},
        {"--scale 99999999999", whole + ", not \"99999999999\"."},
        {"--scale=", whole + ", not \"\"."},
        {"--scale", whole + "."},
        {"--full-screen", "no such option as \"--full-screen\"."},
    };
    for (const auto &c : cases) {
        run_result r = run(c.args);
        EXPECT_EQ(r.err, "vorlix: " + c.says + "\nTry vorlix --help.\n") << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(r.status, 2) << c.args;
    }
}

TEST_F(StartUp, AGoodScaleGoesOnToTheScreenAndHelpAndVersionAnswerAlone)
{
    expect_message("1 0", graphics_msg);
    for (const char *args : {"--scale 1", "--scale=32", "--scale 07"}) {
        run_result r = run(args);
        EXPECT_EQ(r.out, graphics_msg) << args;
        EXPECT_EQ(r.status, 0) << args;
    }
    run_result help = run("--help");
    EXPECT_EQ(help.out.rfind("Usage: vorlix [--scale N]\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--scale N"), std::string::npos);
    EXPECT_EQ(help.status, 0);
    run_result version = run("--version");
    EXPECT_EQ(version.out, std::string("Vorlix ") + VORLIX_VERSION + "\n");
    EXPECT_EQ(version.status, 0);
}

}  // namespace
