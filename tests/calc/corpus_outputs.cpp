// What the number conversions make of every input in the fuzz corpus, against
// what the desktop build made of them (corpus_outputs.txt). The browser build
// takes its floating-point conversions from the C library, not the C++ one;
// this shows that both give the same results, to the last bit.
//
//   corpus_outputs CORPUS_FOLDER EXPECTED_FILE [--write]
//
// Each input is read as a text (ReadNumber, ReadCount, ReplyValue) and its
// first eight bytes as a double (NumberText, TenthsText), as the fuzz targets
// take them; doubles are written as their bits. With --write, the expected
// file is written instead: run it so from the desktop build after a change
// to the corpus or to what the conversions are meant to give.

#include "calc/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace morvelt;

namespace {

// Not-a-number's sign and payload are the machine's, not the conversions'.
std::string Bits(double value)
{
    if (std::isnan(value))
        return "nan";
    static constexpr char hex[] = "0123456789abcdef";
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    std::string text;
    for (int shift = 60; shift >= 0; shift -= 4)
        text += hex[(bits >> shift) & 0xf];
    return text;
}

std::string Outputs(const std::string& input)
{
    double value = 0;
    std::memcpy(&value, input.data(), std::min(input.size(), sizeof value));
    return Bits(ReadNumber(input)) + ' ' + Bits(ReadCount(input)) + ' '
           + Bits(ReplyValue(input, ",")) + ' ' + Bits(ReplyValue(input, ".")) + " ["
           + NumberText(value) + "] [" + TenthsText(value, ",") + "] ["
           + NumberText(ReadNumber(input)) + "] [" + TenthsText(ReadNumber(input), ".") + ']';
}

std::vector<std::string> Lines(const fs::path& corpus)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> lines;
    for (const auto& file : files) {
        std::ifstream stream(file, std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(stream), {}};
        lines.push_back(fs::relative(file, corpus).generic_string() + ": " + Outputs(input));
    }
    return lines;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: corpus_outputs CORPUS_FOLDER EXPECTED_FILE [--write]\n", stderr);
        return 2;
    }
    const std::vector<std::string> lines = Lines(argv[1]);
    if (argc > 3 && std::strcmp(argv[3], "--write") == 0) {
        std::ofstream expected(argv[2], std::ios::binary);
        for (const auto& line : lines)
            expected << line << '\n';
        return expected ? 0 : 1;
    }
    std::ifstream expectedStream(argv[2], std::ios::binary);
    std::vector<std::string> expected;
    for (std::string line; std::getline(expectedStream, line);)
        expected.push_back(line);
    int differences = 0;
    for (size_t i = 0; i < std::max(lines.size(), expected.size()); ++i) {
        const std::string got = i < lines.size() ? lines[i] : "(none)";
        const std::string want = i < expected.size() ? expected[i] : "(none)";
        if (got != want && ++differences <= 20)
            std::printf("expected %s\n     got %s\n", want.c_str(), got.c_str());
    }
    std::printf("%zu inputs, %d differing from the desktop's\n", lines.size(), differences);
    return differences == 0 && !lines.empty() ? 0 : 1;
}
