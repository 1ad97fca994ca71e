#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "loadfile/output_buffer.hpp"

namespace test_support {

// What the load files in the tests start with, spelled out here rather than
// taken from the code under test.
inline const std::string header = "$INSTANCE u_ddr4qt__u_ddr_sp2ck\n"
                                  "$RADIX    HEX\n"
                                  "$ADDRESS   0    3fffff\n";

// The image of the worked examples.
inline const std::string five_bytes = "\x01\x02\x03\x04\x05";

inline std::string read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_file(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read_all(std::FILE* file)
{
    std::string bytes;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
}

inline std::string random_bytes(std::size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(generator());
    }
    return bytes;
}

// What the writing callable puts into an OutputBuffer, flushed.
template <typename Write>
std::string written_text(Write write)
{
    std::FILE* file = std::tmpfile();
    std::string text;
    {
        OutputBuffer output(file);
        write(output);
        output.flush();
    }
    text = read_all(file);
    std::fclose(file);
    return text;
}

// A fresh, empty folder for one test, removed again with the object.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "bin2load-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() { std::filesystem::remove_all(path_); }

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace test_support
