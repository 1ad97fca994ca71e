#include "cli/run.hpp"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "cli/arguments.hpp"
#include "loadfile/image_converter.hpp"
#include "loadfile/line_terminator.hpp"

namespace {

// Argument counts, the program name included.
constexpr int least_argument_count = 4;
constexpr int argument_count_with_start_address = 5;

enum class Outcome {
    Usage,
    BadWidth,
    BadStartAddress,
    CannotOpenInput,
    OutputIsInput,
    CannotOpenOutput,
    ReadFailed,
    WriteFailed,
    Done,
};

struct RunParameters {
    const char* input_path;
    const char* output_path;
    unsigned word_width;
    std::uint32_t start_address;
};

// Opening the output empties it, so converting a file onto itself would
// destroy the image before it is read. Compared as files, not as names, so
// that ./x, links and hard links are caught too.
bool is_same_regular_file(const char* input_path, const char* output_path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(output_path, error) &&
           std::filesystem::equivalent(input_path, output_path, error);
}

Outcome convert_files(const RunParameters& parameters)
{
    std::FILE* input = std::fopen(parameters.input_path, "rb");
    if (input == nullptr) {
        return Outcome::CannotOpenInput;
    }
    if (is_same_regular_file(parameters.input_path, parameters.output_path)) {
        std::fclose(input);
        return Outcome::OutputIsInput;
    }
    std::FILE* output_file = std::fopen(parameters.output_path, "wb");
    if (output_file == nullptr) {
        std::fclose(input);
        return Outcome::CannotOpenOutput;
    }

    // The output buffer hands over whole pages; a second buffer in the FILE
    // would only split each of them into two writes.
    std::setvbuf(output_file, nullptr, _IONBF, 0);
    OutputBuffer output(output_file);
    const ConversionResult result =
        convert_image(input, output, parameters.word_width, parameters.start_address);
    // A full disk often shows only when the last bytes go out, so the flush
    // and the close count as much as every write before them.
    const bool flushed = output.flush();
    const bool closed = std::fclose(output_file) == 0;
    std::fclose(input);

    if (result == ConversionResult::ReadFailed) {
        return Outcome::ReadFailed;
    }
    if (result == ConversionResult::WriteFailed || !flushed || !closed) {
        return Outcome::WriteFailed;
    }
    return Outcome::Done;
}

Outcome run_steps(int argc, const char* const argv[])
{
    if (argc < least_argument_count) {
        return Outcome::Usage;
    }
    RunParameters parameters{argv[1], argv[2], 0, 0};

    const std::optional<unsigned> word_width = read_word_width(argv[3]);
    if (!word_width) {
        return Outcome::BadWidth;
    }
    parameters.word_width = *word_width;

    // A start address is read only when it is the last argument; with more
    // arguments after it, it is ignored along with them.
    if (argc == argument_count_with_start_address) {
        const std::optional<std::uint32_t> start_address = read_start_address(argv[4]);
        if (!start_address) {
            return Outcome::BadStartAddress;
        }
        parameters.start_address = *start_address;
    }
    return convert_files(parameters);
}

int report(Outcome outcome, int argc, const char* const argv[])
{
    // With an empty argument list there is no program name to show.
    const char* program_name = argc > 0 && argv[0] != nullptr ? argv[0] : "";
    switch (outcome) {
    case Outcome::Usage:
        std::fprintf(stderr, "USAGE:%s%s input-file output-file {16|32}\n", line_terminator,
                     program_name);
        return 1;
    case Outcome::BadWidth:
        std::fprintf(stderr, "Width should be either 16,32, or 64, not %s%s", argv[3],
                     line_terminator);
        return 1;
    case Outcome::BadStartAddress:
        std::fprintf(stderr, "Bad start address: %s%s", argv[4], line_terminator);
        return 1;
    case Outcome::CannotOpenInput:
        std::fprintf(stderr, "Cannot open input file %s%s", argv[1], line_terminator);
        return 1;
    case Outcome::OutputIsInput:
        std::fprintf(stderr, "Output file is the input file: %s%s", argv[2], line_terminator);
        return 1;
    case Outcome::CannotOpenOutput:
        std::fprintf(stderr, "Cannot open output file %s%s", argv[2], line_terminator);
        return 1;
    case Outcome::ReadFailed:
        std::fputs("I/O error\n", stderr);
        return 1;
    case Outcome::WriteFailed:
        std::fprintf(stderr, "Cannot write output file %s%s", argv[2], line_terminator);
        return 1;
    case Outcome::Done:
        std::fputs("Done\n", stderr);
        return 0;
    }
    return 1;
}

}  // namespace

int run(int argc, const char* const argv[])
{
    return report(run_steps(argc, argv), argc, argv);
}
