// What the number conversions make of every input in the fuzz corpus, against
// what the desktop build made of them. The browser build takes its
// floating-point conversions from the C library, not the C++ one; this shows
// that both give the same results, to the last bit.
//
//   corpus_outputs CORPUS_FOLDER [DIGEST]
//
// Each input is read as a text (ReadNumber, ReadCount, ReplyValue) and its
// first eight bytes as a double (NumberText, TenthsText), as the fuzz targets
// take them; doubles are written as their bits. It prints a line per input
// and, last, the digest of them all (64-bit FNV-1a), which must be DIGEST,
// the desktop's. Where they differ, the lines of the two builds tell which
// input; after a change to the corpus or to what the conversions are meant
// to give, the desktop's new digest goes into CMakeLists.txt.

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

std::string Hex(std::uint64_t bits)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string text;
    for (int shift = 60; shift >= 0; shift -= 4)
        text += hex[(bits >> shift) & 0xf];
    return text;
}

// Not-a-number's sign and payload are the machine's, not the conversions'.
std::string Bits(double value)
{
    if (std::isnan(value))
        return "nan";
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return Hex(bits);
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
    if (argc < 2) {
        std::fputs("usage: corpus_outputs CORPUS_FOLDER [DIGEST]\n", stderr);
        return 2;
    }
    std::uint64_t digest = 0xcbf29ce484222325;
    const std::vector<std::string> lines = Lines(argv[1]);
    for (const auto& line : lines) {
        std::printf("%s\n", line.c_str());
        for (char c : line + '\n')
            digest = (digest ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    }
    const std::string text = Hex(digest);
    std::printf("%zu inputs, digest %s\n", lines.size(), text.c_str());
    return argc < 3 || (text == argv[2] && !lines.empty()) ? 0 : 1;
}
