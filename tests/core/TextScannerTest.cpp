// The fast scanner against the standard stream's ">>" extraction: the same text and
// the same sequence of reads must give the same results, values (bit for bit), words,
// failure states and remaining counts.
#include "StreamScanner.h"
#include "TestFiles.h"

#include "document/TextScanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum class Op { Int, Float, Double, Word, Skip, Remaining };

struct Step {
    Op op;
    std::size_t skipCount = 100;
};

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            out += c;
        }
    }
    return out;
}

template <typename T> std::string Bits(T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    std::ostringstream out;
    out.precision(17);
    out << value << " [";
    for (const unsigned char b : bytes)
        out << std::hex << int(b);
    out << "]";
    return out.str();
}

// One line per step: what the scanner answered.
template <typename Scanner>
std::vector<std::string> Trace(const std::string& text, const std::vector<Step>& steps) {
    Scanner in(text);
    std::vector<std::string> lines;
    for (const Step& step : steps) {
        std::string line;
        switch (step.op) {
        case Op::Int: {
            std::int32_t v = -7;
            const bool ok = in.readInt(v);
            line = "int " + std::to_string(ok) + " " + std::to_string(v);
            break;
        }
        case Op::Float: {
            float v = -7.0f;
            const bool ok = in.readFloat(v);
            line = "float " + std::to_string(ok) + " " + Bits(v);
            break;
        }
        case Op::Double: {
            double v = -7.0;
            const bool ok = in.readDouble(v);
            line = "double " + std::to_string(ok) + " " + Bits(v);
            break;
        }
        case Op::Word: {
            std::string w = "junk";
            const bool ok = in.readWord(w);
            line = "word " + std::to_string(ok) + " '" + Escaped(w) + "'";
            break;
        }
        case Op::Skip:
            in.skipLine(step.skipCount);
            line = "skip " + std::to_string(step.skipCount);
            break;
        case Op::Remaining:
            line = "remaining " + std::to_string(in.remaining());
            break;
        }
        line += in.failed() ? " failed" : " good";
        lines.push_back(line);
    }
    return lines;
}

void ExpectSameTrace(const std::string& text, const std::vector<Step>& steps) {
    const auto expected = Trace<StreamScanner>(text, steps);
    const auto actual = Trace<TextScanner>(text, steps);
    ASSERT_EQ(expected, actual) << "text: \"" << Escaped(text) << "\"";
}

// The scanner on a file that it reads a few bytes at a time, so that pieces end at
// every place in and between tokens: a token cut by a piece's end is scanned again
// once the rest is there, and must read as on the whole text.
class PiecewiseScanner {
public:
    static inline std::size_t pieceBytes = 1;

    explicit PiecewiseScanner(const std::string& text) : in_(open(text)) {}
    bool readInt(std::int32_t& value) { return in_.readInt(value); }
    bool readFloat(float& value) { return in_.readFloat(value); }
    bool readDouble(double& value) { return in_.readDouble(value); }
    bool readWord(std::string& word) { return in_.readWord(word); }
    void skipLine(std::size_t maxChars) { in_.skipLine(maxChars); }
    bool failed() const { return in_.failed(); }
    std::size_t remaining() { return in_.remaining(); }

private:
    static TextScanner open(const std::string& text) {
        static const TestFolder folder;
        static std::string written;
        static std::string path;
        static int files = 0;
        if (path.empty() || written != text) {
            // A new file each time: rewriting one in place makes the file system flush it.
            std::filesystem::remove(path.empty() ? folder.at("none") : path);
            path = folder.write("text-" + std::to_string(++files) + ".txt", text);
            written = text;
        }
        return std::move(*TextScanner::OpenFile(path, nullptr, pieceBytes));
    }
    TextScanner in_;
};

void ExpectSameTraceInPieces(const std::string& text, const std::vector<Step>& steps) {
    const auto expected = Trace<TextScanner>(text, steps);
    const auto actual = Trace<PiecewiseScanner>(text, steps);
    ASSERT_EQ(expected, actual) << "text: \"" << Escaped(text) << "\", pieces of "
                                << PiecewiseScanner::pieceBytes;
}

// Every token that the stream treats in some special way.
const std::vector<std::string> AwkwardTokens = {
    // integers, signs, leading zeros, int and long limits
    "0",
    "7",
    "-3",
    "+5",
    "-0",
    "+0",
    "007",
    "-007",
    "00",
    "2147483647",
    "2147483648",
    "-2147483648",
    "-2147483649",
    "9223372036854775807",
    "9223372036854775808",
    "-9223372036854775808",
    "-9223372036854775809",
    "99999999999999999999999",
    // points and exponents
    "4.0",
    "4.",
    ".5",
    "-.5",
    "+.5",
    ".",
    "-.",
    "+.",
    "1.2.3",
    "1e5",
    "1E5",
    "1e+5",
    "1e-5",
    "1e",
    "1e+",
    "1e-",
    "1E",
    "1ee5",
    "1e5e5",
    "1e5.5",
    "1e+-5",
    "1e--5",
    "e5",
    "E5",
    ".e5",
    "0e",
    "0e0",
    "-0.0e-0",
    "1.e3",
    ".1e3",
    "1.5e",
    "0.000001",
    "123456789012345678901234567890",
    "0.1234567890123456789012345678901234567890",
    // float and double limits: overflow fails, underflow and subnormals do not
    "3.4028235e38",
    "3.40282356e38",
    "3.4028236e38",
    "1e39",
    "-1e39",
    "1.17549435e-38",
    "1.4e-45",
    "7e-46",
    "1e-50",
    "-1e-50",
    "1.7976931348623157e308",
    "1.7976931348623159e308",
    "1e309",
    "-1e309",
    "4.9e-324",
    "2e-324",
    "1e-400",
    "1e999999999999999999999",
    "1e-999999999999999999999",
    "0e999999999999",
    // signs alone, words, things strtod would take but the stream does not
    "-",
    "+",
    "--5",
    "+-5",
    "-+5",
    "nan",
    "NaN",
    "inf",
    "-inf",
    "infinity",
    "0x10",
    "0X1F",
    "0x1p3",
    "x10",
    "abc",
    "target",
    "5abc",
    "1,5",
    "1_000",
    "\xc3\xa9",
    "-e",
    "3-4",
    "3+4",
    std::string("1\0"
                "2",
                3),
};

const std::vector<std::string> Separators = {" ",  "\t", "\n",       "\r\n", "\r",
                                             "\v", "\f", "  \r\n\t", ""};

TEST(TextScannerMatchesStream, EachAwkwardTokenReadEveryWay) {
    const std::vector<Op> firstReads = {Op::Int,  Op::Float, Op::Double,
                                        Op::Word, Op::Skip,  Op::Remaining};
    for (const std::string& token : AwkwardTokens) {
        for (const std::string& after : {std::string(), std::string(" "), std::string("\r\n9 x")}) {
            for (const Op first : firstReads) {
                // Whatever the first read left is then read every way too.
                for (const Op second : firstReads) {
                    ExpectSameTrace(
                        " " + token + after,
                        {{first}, {second}, {Op::Int}, {Op::Word}, {Op::Remaining}, {Op::Float}});
                }
            }
        }
    }
}

TEST(TextScannerMatchesStream, SkipLineTakesAtMostTheCountAndTheLineBreakOnlyWithinIt) {
    for (const std::size_t length : {0u, 1u, 98u, 99u, 100u, 101u, 150u}) {
        for (const std::string& end : {std::string("\n"), std::string("\r\n"), std::string()}) {
            const std::string line = std::string(length, 'a') + end + "12 34\n";
            for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{100},
                                            std::size_t{101}, std::size_t(-1)}) {
                ExpectSameTrace(line, {{Op::Skip, count},
                                       {Op::Remaining},
                                       {Op::Int},
                                       {Op::Int},
                                       {Op::Skip, count},
                                       {Op::Remaining},
                                       {Op::Int}});
                ExpectSameTrace(line, {{Op::Skip, count},
                                       {Op::Word},
                                       {Op::Skip, count},
                                       {Op::Skip, count},
                                       {Op::Remaining}});
            }
        }
    }
}

std::string RandomNumberText(std::mt19937& random) {
    static const char* const formats[] = {"%g", "%.9g", "%.17g", "%e",   "%.3e",
                                          "%f", "%.0f", "%E",    "%.12G"};
    std::uniform_int_distribution<int> pick(0, 8);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-330, 330);
    const double value = mantissa(random) * std::pow(10.0, exponent(random) / (pick(random) + 1));
    char text[512];
    std::snprintf(text, sizeof text, formats[pick(random)], value);
    std::string out = text;
    // A leading plus now and then; %f of huge values gives long digit strings.
    if (pick(random) == 0 && out[0] != '-')
        out = "+" + out;
    return out;
}

TEST(TextScannerMatchesStream, RandomNumbersConvertToTheSameBits) {
    std::mt19937 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomNumberText(random) + " " + RandomNumberText(random);
        ExpectSameTrace(text, {{Op::Float}, {Op::Double}, {Op::Remaining}});
        ExpectSameTrace(text, {{Op::Double}, {Op::Float}, {Op::Int}});
        ExpectSameTrace(text, {{Op::Int}, {Op::Float}, {Op::Double}, {Op::Word}});
    }
}

TEST(TextScannerMatchesStream, RandomDocumentsOfAwkwardTokensAndSeparators) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> token(0, AwkwardTokens.size() - 1);
    std::uniform_int_distribution<std::size_t> separator(0, Separators.size() - 1);
    std::uniform_int_distribution<int> op(0, 5);
    std::uniform_int_distribution<int> count(0, 40);
    for (int doc = 0; doc < 5000; ++doc) {
        std::string text;
        const int tokens = count(random);
        for (int t = 0; t < tokens; ++t) {
            text += count(random) < 10 ? RandomNumberText(random) : AwkwardTokens[token(random)];
            text += Separators[separator(random)];
            if (count(random) == 0)
                text += std::string(95 + count(random) % 10, '#') + "\n";
        }
        std::vector<Step> steps;
        const int reads = count(random) + 1;
        for (int s = 0; s < reads; ++s) {
            const Op kind = static_cast<Op>(op(random));
            steps.push_back({kind, kind == Op::Skip ? std::size_t(count(random) * 5) : 100});
        }
        ExpectSameTrace(text, steps);
    }
}

TEST(TextScannerInPieces, EachAwkwardTokenCutAtEveryPlace) {
    const std::vector<Op> reads = {Op::Int,  Op::Float, Op::Double,
                                   Op::Word, Op::Skip,  Op::Remaining};
    for (const std::size_t piece : {1u, 2u, 3u, 5u}) {
        PiecewiseScanner::pieceBytes = piece;
        for (const std::string& token : AwkwardTokens) {
            for (const std::string& after : {std::string(), std::string("\r\n9 x")}) {
                // Blanks in front move the token against the pieces' ends.
                for (std::size_t shift = 0; shift < piece; ++shift) {
                    const std::string text = std::string(shift + 1, ' ') + token + after;
                    for (const Op first : reads)
                        ExpectSameTraceInPieces(
                            text, {{first}, {Op::Float}, {Op::Word}, {Op::Remaining}, {Op::Int}});
                }
            }
        }
    }
}

TEST(TextScannerInPieces, RandomDocumentsAndTokensLongerThanAPiece) {
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> token(0, AwkwardTokens.size() - 1);
    std::uniform_int_distribution<std::size_t> separator(0, Separators.size() - 1);
    std::uniform_int_distribution<int> op(0, 5);
    std::uniform_int_distribution<int> count(0, 40);
    for (int doc = 0; doc < 1500; ++doc) {
        std::string text;
        const int tokens = count(random);
        for (int t = 0; t < tokens; ++t) {
            const int what = count(random);
            text += what < 10    ? RandomNumberText(random)
                    : what == 40 ? std::string(300, '7') // longer than every piece
                                 : AwkwardTokens[token(random)];
            text += Separators[separator(random)];
            if (count(random) == 0)
                text += std::string(95 + count(random) % 10, '#') + "\n";
        }
        std::vector<Step> steps;
        const int reads = count(random) + 1;
        for (int s = 0; s < reads; ++s) {
            const Op kind = static_cast<Op>(op(random));
            steps.push_back({kind, kind == Op::Skip ? std::size_t(count(random) * 5) : 100});
        }
        for (const std::size_t piece : {1u, 4u, 64u}) {
            PiecewiseScanner::pieceBytes = piece;
            ExpectSameTraceInPieces(text, steps);
        }
    }
}

// Numbers read in bulk (the models' fast path) must be the very reads one at a time
// gives: on long texts, where the bulk path runs, with awkward tokens in between.
TEST(TextScannerMatchesStream, FloatsReadInBulkAsOneAtATime) {
    std::mt19937 random(17);
    std::uniform_int_distribution<std::size_t> token(0, AwkwardTokens.size() - 1);
    std::uniform_int_distribution<std::size_t> separator(0, Separators.size() - 2); // not ""
    std::uniform_int_distribution<int> percent(0, 99);
    const TestFolder folder;
    for (int doc = 0; doc < 60; ++doc) {
        std::string text;
        for (int t = 0; t < 3000; ++t) {
            const int what = percent(random);
            char plain[32];
            std::snprintf(plain, sizeof plain, what < 40 ? "%.5e" : "%.6g",
                          std::pow(10.0, percent(random) / 10.0 - 5.0));
            text += what < 90   ? std::string(plain)
                    : what < 99 ? RandomNumberText(random)
                                : AwkwardTokens[token(random)];
            text += Separators[separator(random)];
        }
        // One at a time through the stream, until a read fails.
        StreamScanner stream(text);
        std::vector<std::string> expected;
        for (float v = 0; stream.readFloat(v);)
            expected.push_back(Bits(v));
        expected.push_back("failed " + std::to_string(stream.remaining()));

        const std::string path = folder.write("bulk.txt", text);
        for (const std::size_t piece : {std::size_t{100}, TextScanner::DefaultChunkBytes}) {
            auto in = TextScanner::OpenFile(path, nullptr, piece);
            std::vector<std::string> actual;
            float batch[50];
            for (;;) {
                const std::size_t n = in->readPlainFloats(batch, 1 + random() % 50);
                for (std::size_t i = 0; i < n; ++i)
                    actual.push_back(Bits(batch[i]));
                float v = 0;
                if (!in->readFloat(v))
                    break;
                actual.push_back(Bits(v));
            }
            actual.push_back("failed " + std::to_string(in->remaining()));
            ASSERT_EQ(actual, expected) << "document " << doc << ", pieces of " << piece;
        }
    }
}

// A file rewritten while it is read (an inversion writing its next model) gives
// whatever the file holds at each read, and never a crash.
TEST(TextScannerInPieces, AFileThatShrinksOrGrowsWhileItIsRead) {
    const TestFolder folder;
    const std::string path = folder.write("values.txt", "1 2 3 4 5 6 7 8 9 10");
    auto in = TextScanner::OpenFile(path, nullptr, 4);
    ASSERT_TRUE(in);
    std::int32_t v = 0;
    ASSERT_TRUE(in->readInt(v) && in->readInt(v));
    std::filesystem::resize_file(path, 6); // "1 2 3 "
    EXPECT_EQ(in->remaining(), 3u);        // " 3 "
    ASSERT_TRUE(in->readInt(v));
    EXPECT_EQ(v, 3);
    EXPECT_FALSE(in->readInt(v));

    folder.write("values.txt", "1 2 3");
    in = TextScanner::OpenFile(path, nullptr, 4);
    ASSERT_TRUE(in->readInt(v) && in->readInt(v));
    folder.write("values.txt", "1 2 3 4 5 6 7 8 9 10 11 12");
    std::vector<std::int32_t> rest;
    while (in->readInt(v))
        rest.push_back(v);
    EXPECT_EQ(rest, (std::vector<std::int32_t>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

// The stream semantics the readers rely on, stated once in readable form; both
// scanners must show them (the reference too, so that it cannot drift unnoticed).
template <typename Scanner> void CheckDocumentedSemantics() {
    {
        Scanner in("4.0 7");
        std::int32_t i = 0;
        float f = 0;
        EXPECT_TRUE(in.readInt(i));
        EXPECT_EQ(i, 4);
        EXPECT_TRUE(in.readFloat(f)); // ".0" is left for the next read
        EXPECT_EQ(f, 0.0f);
        EXPECT_TRUE(in.readInt(i));
        EXPECT_EQ(i, 7);
    }
    {
        Scanner in("0x10 5");
        std::int32_t i = 9;
        EXPECT_TRUE(in.readInt(i));
        EXPECT_EQ(i, 0);
        EXPECT_FALSE(in.readInt(i)); // "x10" is a word
        EXPECT_EQ(i, 0);
        EXPECT_FALSE(in.readInt(i)); // and every read after a failure fails
        EXPECT_TRUE(in.failed());
    }
    for (const char* text : {"nan", "inf", "1e", "1e+", ".", "-", "1e39", "2147483648"}) {
        Scanner in(text);
        float f = 1;
        std::int32_t i = 1;
        EXPECT_FALSE(std::string(text) == "2147483648" ? in.readInt(i) : in.readFloat(f)) << text;
        EXPECT_EQ(f == 1 ? i : f, 0) << text;
    }
    {
        Scanner in("+5 1e-50\r\n");
        float a = 0, b = 1;
        EXPECT_TRUE(in.readFloat(a));
        EXPECT_TRUE(in.readFloat(b));
        EXPECT_EQ(a, 5.0f);
        EXPECT_EQ(b, 0.0f); // underflow is not a failure
        EXPECT_EQ(in.remaining(), 2u);
    }
}

TEST(TextScannerSemantics, BothScannersShowTheStreamRules) {
    CheckDocumentedSemantics<StreamScanner>();
    CheckDocumentedSemantics<TextScanner>();
}

} // namespace
