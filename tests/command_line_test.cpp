// Runs the real program and checks what a user sees: the exit status, the one
// message on standard error, nothing on standard output, and the output file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/run.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;
using test_support::five_bytes;
using test_support::header;
using test_support::read_file;
using test_support::write_file;

struct Finished {
    int status;
    std::string out;
    std::string err;
};

// Runs bin2load with `arguments` (program name first). With `input`, standard
// input is a pipe fed in pieces of `piece` bytes; otherwise it is /dev/null.
Finished run_bin2load(const std::vector<std::string>& arguments,
                      const std::optional<std::string>& input = std::nullopt,
                      std::size_t piece = 4093)
{
    test_support::TempDir streams;
    const fs::path out_path = streams / "stdout";
    const fs::path err_path = streams / "stderr";
    int feed[2];
    if (pipe(feed) != 0) {
        ADD_FAILURE() << "pipe failed";
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        if (input) {
            dup2(feed[0], STDIN_FILENO);
        } else {
            dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
        }
        close(feed[0]);
        close(feed[1]);
        dup2(open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
        dup2(open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(BIN2LOAD_PATH, argv.data());
        _exit(127);
    }
    close(feed[0]);
    // A run that stops early must fail its test, not kill the test program.
    std::signal(SIGPIPE, SIG_IGN);
    if (input) {
        for (std::size_t at = 0; at < input->size(); at += piece) {
            const std::size_t length = std::min(piece, input->size() - at);
            if (write(feed[1], input->data() + at, length) != static_cast<ssize_t>(length)) {
                break;
            }
        }
    }
    close(feed[1]);
    int wait_status = 0;
    waitpid(child, &wait_status, 0);
    const int status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
    return {status, read_file(out_path), read_file(err_path)};
}

class CommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        write_file(input, five_bytes);
        fs::create_directory(folder);
    }

    // Expects the run to fail with `message` and no output file to be made.
    void expect_refused(const std::vector<std::string>& arguments, const std::string& message)
    {
        const Finished finished = run_bin2load(arguments);
        EXPECT_EQ(finished.status, 1);
        EXPECT_EQ(finished.err, message);
        EXPECT_EQ(finished.out, "");
        EXPECT_FALSE(fs::exists(output));
    }

    // Expects the run to succeed and to write `load_file`.
    void expect_done(const std::vector<std::string>& arguments, const std::string& load_file)
    {
        const Finished finished = run_bin2load(arguments);
        EXPECT_EQ(finished.status, 0);
        EXPECT_EQ(finished.err, "Done\n");
        EXPECT_EQ(finished.out, "");
        EXPECT_EQ(read_file(output), load_file);
    }

    test_support::TempDir dir;
    const std::string input = dir / "image.bin";
    const std::string output = dir / "image.mem";
    const std::string folder = dir / "folder";
    const std::string missing = dir / "missing";
};

TEST_F(CommandLine, ConvertsAtEveryWidth)
{
    expect_done({"bin2load", input, output, "16"}, header + "0   0201\n1   0403\n2   0005\n");
    expect_done({"bin2load", input, output, "32"}, header + "0   04030201\n1   00000005\n");
    expect_done({"bin2load", input, output, "64"}, header + "0   0102030405000000\n");
}

TEST_F(CommandLine, StartAddressShiftsWordsAndDropsTheHeader)
{
    expect_done({"bin2load", input, output, "32", "0x100"}, "40   04030201\n41   00000005\n");
    expect_done({"bin2load", input, output, "16", "3"}, "1   0201\n2   0403\n3   0005\n");
    for (const char* zero : {"0", "00", "0x0"}) {
        expect_done({"bin2load", input, output, "32", zero},
                    header + "0   04030201\n1   00000005\n");
    }
}

TEST_F(CommandLine, ArgumentsAfterTheFourthAreIgnoredWithIt)
{
    expect_done({"bin2load", input, output, "32", "100", "extra"},
                header + "0   04030201\n1   00000005\n");
    expect_done({"bin2load", input, output, "32", "zz", "extra"},
                header + "0   04030201\n1   00000005\n");
}

TEST_F(CommandLine, EmptyInput)
{
    write_file(input, "");
    expect_done({"bin2load", input, output, "64"}, header);
    expect_done({"bin2load", input, output, "64", "8"}, "");
}

TEST_F(CommandLine, OverwritesAnExistingOutput)
{
    write_file(output, std::string(1000, 'x'));
    expect_done({"bin2load", input, output, "64"}, header + "0   0102030405000000\n");
}

TEST_F(CommandLine, TooFewArgumentsShowUsage)
{
    const std::string usage = "USAGE:\nbin2load input-file output-file {16|32}\n";
    expect_refused({"bin2load"}, usage);
    expect_refused({"bin2load", input}, usage);
    expect_refused({"bin2load", input, output}, usage);
}

TEST_F(CommandLine, BadWidthIsReportedAsTypedBeforeAnythingElse)
{
    for (const char* width :
         {"abc", "0x20", "-16", "8", " 48", "4294967328", "99999999999999999999"}) {
        expect_refused({"bin2load", missing, output, width, "zz"},
                       std::string("Width should be either 16,32, or 64, not ") + width + "\n");
    }
}

TEST_F(CommandLine, BadStartAddressIsReportedAsTyped)
{
    expect_refused({"bin2load", input, output, "32", "zz"}, "Bad start address: zz\n");
    expect_refused({"bin2load", input, output, "32", "0x"}, "Bad start address: 0x\n");
}

TEST_F(CommandLine, FilesThatCannotBeOpened)
{
    expect_refused({"bin2load", missing, output, "32"}, "Cannot open input file " + missing + "\n");
    const std::string nowhere = missing + "/out.mem";
    const Finished finished = run_bin2load({"bin2load", input, nowhere, "32"});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "Cannot open output file " + nowhere + "\n");
    EXPECT_EQ(read_file(input), five_bytes);
}

TEST_F(CommandLine, UnreadableInputIsAnIoError)
{
    const Finished finished = run_bin2load({"bin2load", folder, output, "32"});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "I/O error\n");
    EXPECT_EQ(finished.out, "");
    EXPECT_EQ(read_file(output), header);  // what was written before the failure stays
}

TEST_F(CommandLine, FailedWritesAreNeverDone)
{
    // Five bytes fail only at the close; a large image fails while converting.
    for (const std::string& image : {five_bytes, test_support::random_bytes(1 << 20, 3)}) {
        write_file(input, image);
        const Finished finished = run_bin2load({"bin2load", input, "/dev/full", "32"});
        EXPECT_EQ(finished.status, 1);
        EXPECT_EQ(finished.err, "Cannot write output file /dev/full\n");
        EXPECT_EQ(finished.out, "");
    }
}

TEST_F(CommandLine, RefusesToConvertAFileOntoItself)
{
    fs::create_symlink(input, dir / "link.bin");
    fs::create_hard_link(input, dir / "hard.bin");
    const std::string relative = dir.path().string() + "/./image.bin";
    for (const std::string& same :
         {input, relative, (dir / "link.bin").string(), (dir / "hard.bin").string()}) {
        const Finished finished = run_bin2load({"bin2load", input, same, "32"});
        EXPECT_EQ(finished.status, 1);
        EXPECT_EQ(finished.err, "Output file is the input file: " + same + "\n");
        EXPECT_EQ(read_file(input), five_bytes);
    }
}

TEST_F(CommandLine, DevicesMayBeBothInputAndOutput)
{
    const Finished finished = run_bin2load({"bin2load", "/dev/null", "/dev/null", "32"});
    EXPECT_EQ(finished.status, 0);
    EXPECT_EQ(finished.err, "Done\n");
}

TEST_F(CommandLine, PipedInputGivesTheSameFileAsARegularOne)
{
    // Several blocks, written in pieces that do not divide a block, ending
    // off a word boundary.
    const std::string image = test_support::random_bytes(3 * 65536 + 5, 11);
    write_file(input, image);
    for (const char* width : {"16", "32", "64"}) {
        const std::string from_pipe = dir / "pipe.mem";
        const Finished piped = run_bin2load({"bin2load", "/dev/stdin", from_pipe, width}, image);
        EXPECT_EQ(piped.status, 0);
        EXPECT_EQ(piped.err, "Done\n");
        expect_done({"bin2load", input, output, width}, read_file(from_pipe));
    }
}

TEST_F(CommandLine, SampleImageConverts)
{
    const std::string sample = std::string(EXAMPLES_DIR) + "/sample.bin";
    const Finished finished = run_bin2load({"bin2load", sample, output, "32"});
    EXPECT_EQ(finished.status, 0);
    EXPECT_EQ(finished.err, "Done\n");
    EXPECT_EQ(read_file(output).rfind(header + "0   326E6962\n", 0), 0u);
}

TEST(RunFunction, EmptyArgumentListShowsUsageWithoutAName)
{
    const char* no_arguments[] = {nullptr};
    testing::internal::CaptureStderr();
    const int status = run(0, no_arguments);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "USAGE:\n input-file output-file {16|32}\n");
    EXPECT_EQ(status, 1);
}

}  // namespace
