// A large model's values are read by two threads, each scanning half of the text; the
// result must be exactly what one scanner reading the whole file gives: the same
// values bit for bit, the same range, and for a bad file the same first failure.
#include "TestFiles.h"

#include "document/ModelReader.h"
#include "document/RecordingMessages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Outcome {
    ReadResult result = ReadResult::NotFound;
    std::vector<RecordingMessages::Entry> messages;
    std::int32_t nx = 0, nz = 0;
    std::vector<std::vector<std::uint32_t>> bits; // the values as stored, bit for bit
    double valueMin = 0.0, valueMax = 0.0;
    bool operator==(const Outcome&) const = default;
    friend void PrintTo(const Outcome& o, std::ostream* out) {
        *out << "result " << int(o.result) << ", " << o.nx << " x " << o.nz << ", range "
             << o.valueMin << " .. " << o.valueMax << ", messages:";
        for (const auto& m : o.messages)
            *out << " [" << m.text << "]";
        std::size_t index = 0;
        for (const auto& row : o.bits)
            for (const std::uint32_t b : row)
                *out << (index++ % 8 == 0 ? "\n" : " ") << std::hex << b << std::dec;
    }
};

Outcome Read(const std::string& path, ModelKind kind, const ReadOptions& options) {
    MeshGrid mesh;
    CellModel model;
    RecordingMessages messages;
    Outcome out;
    out.result = ReadModel({}, path, kind, mesh, model, messages, options);
    out.messages = messages.entries;
    out.nx = mesh.nx;
    out.nz = mesh.nz;
    for (const auto& row : model.values) {
        auto& bits = out.bits.emplace_back(row.size());
        std::memcpy(bits.data(), row.data(), row.size() * sizeof(float));
    }
    out.valueMin = model.valueMin;
    out.valueMax = model.valueMax;
    return out;
}

// A model text as inversions write them, now and then with a fault anywhere in it: a
// word, a number that cannot be read, a value of 0 or less, too few or too many values.
std::string RandomModel(std::mt19937& random) {
    std::uniform_int_distribution<int> side(1, 40);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_real_distribution<double> exponent(-4.0, 3.0);
    static const char* const formats[] = {"%g", "%.5e", "%.9g", "%.3f", "%.0f"};
    static const char* const separators[] = {" ", "\n", "\r\n", "\t", "   "};
    static const char* const faults[] = {"abc", "1e", "-1", "0", "nan", "1e39", "1.2.3", "-"};
    const int nx = side(random), nz = side(random);
    std::string text = std::to_string(nx) + " " + std::to_string(nz) + "\n";
    int values = nx * nz;
    if (percent(random) < 10)
        values -= 1 + percent(random) % 5;
    else if (percent(random) < 10)
        values += 1 + percent(random) % 5;
    const bool faulty = percent(random) < 40;
    for (int i = 0; i < values; ++i) {
        char number[64];
        if (faulty && percent(random) == 0) {
            std::snprintf(number, sizeof number, "%s", faults[percent(random) % 8]);
        } else {
            std::snprintf(number, sizeof number, formats[percent(random) % 5],
                          std::pow(10.0, exponent(random)));
        }
        text += number;
        text += separators[percent(random) % 5];
    }
    if (percent(random) < 10)
        text += "what ever follows 1 2 3\n";
    return text;
}

TEST(ModelReadInTwo, GivesWhatOneScannerGivesForEveryTextAndPieceSize) {
    const TestFolder folder;
    std::mt19937 random(2024);
    ReadOptions one;
    one.splitBytes = std::numeric_limits<std::uint64_t>::max();
    int failures = 0;
    for (int doc = 0; doc < 800; ++doc) {
        const std::string path =
            folder.write("model-" + std::to_string(doc) + ".txt", RandomModel(random));
        for (const ModelKind kind : {Conductivity, Chargeability}) {
            const Outcome expected = Read(path, kind, one);
            failures += expected.result != ReadResult::Ok;
            for (const std::size_t piece : {std::size_t{3}, std::size_t{64}, std::size_t{4096}}) {
                ReadOptions two;
                two.splitBytes = 0;
                two.chunkBytes = piece;
                ASSERT_EQ(Read(path, kind, two), expected)
                    << "document " << doc << ", kind " << kind << ", pieces of " << piece;
            }
        }
    }
    // Both outcomes occur often enough to be compared.
    EXPECT_GT(failures, 300);
    EXPECT_LT(failures, 1300);
}

// Models of a few hundred thousand values, where the second half's buffer spans many
// blocks: values after the last one needed (far larger or smaller than the rest) must
// not reach the range, and a fault deep in the second half must be the one reported.
TEST(ModelReadInTwo, LargeModelsWithTrailingValuesAndLateFaults) {
    const TestFolder folder;
    std::mt19937 random(9);
    std::uniform_real_distribution<double> exponent(-3.0, 2.0);
    ReadOptions one;
    one.splitBytes = std::numeric_limits<std::uint64_t>::max();
    ReadOptions two;
    two.splitBytes = 0;
    for (const int fault : {0, 1, 2, 3}) {
        const int nx = 500, nz = 400;
        std::string text = std::to_string(nx) + " " + std::to_string(nz) + "\n";
        const int values = nx * nz + (fault == 1 ? 70000 : 0);
        for (int i = 0; i < values; ++i) {
            char number[32];
            if (i >= nx * nz) // after the model: extremes that must not count
                std::snprintf(number, sizeof number, "%g", i % 2 ? 1e30 : 1e-30);
            else if (fault == 2 && i == nx * nz - 1000)
                std::snprintf(number, sizeof number, "0");
            else if (fault == 3 && i == nx * nz - 70000)
                std::snprintf(number, sizeof number, "x");
            else
                std::snprintf(number, sizeof number, "%.5e", std::pow(10.0, exponent(random)));
            text += number;
            text += i % nx == nx - 1 ? "\n" : " ";
        }
        const std::string path = folder.write("large-" + std::to_string(fault) + ".txt", text);
        for (const ModelKind kind : {Conductivity, Chargeability}) {
            const Outcome expected = Read(path, kind, one);
            EXPECT_EQ(expected.result == ReadResult::Ok,
                      fault < 2 || (kind == Chargeability && fault == 2));
            ASSERT_EQ(Read(path, kind, two), expected) << "fault " << fault << ", kind " << kind;
        }
    }
}

// An inversion rewriting the model while the viewer reads it: every read ends in a
// model of the file's counts or in one message, never in a crash.
TEST(ModelReadInTwo, AFileRewrittenDuringTheReadsGivesAModelOrOneMessage) {
    const TestFolder folder;
    const std::string path = folder.write("model.txt", "1 1 1\n");
    std::string full = "30 20\n";
    for (int i = 0; i < 600; ++i)
        full += std::to_string(0.001 * (i + 1)) + (i % 30 == 29 ? "\n" : " ");
    std::atomic<int> rewrites{0};
    std::atomic<bool> done{false};
    std::thread writer([&] {
        std::mt19937 random(5);
        while (!done) {
            // Cut to nothing, then written again in pieces.
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            for (std::size_t at = 0, piece = 0; at < full.size(); at += piece) {
                piece = 1 + random() % 1500;
                out << full.substr(at, piece);
                out.flush();
            }
            out.close();
            ++rewrites;
            // Complete for a moment, as between two iterations of the inversion.
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
    });
    ReadOptions two;
    two.splitBytes = 0;
    two.chunkBytes = 64;
    int reads = 0, complete = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((rewrites < 20 || reads < 300 || complete == 0) &&
           std::chrono::steady_clock::now() < until) {
        const Outcome got = Read(path, Conductivity, two);
        ++reads;
        if (got.result == ReadResult::Ok) {
            complete += got.nx == 30;
            EXPECT_TRUE(got.messages.empty());
            ASSERT_EQ(got.bits.size(), static_cast<std::size_t>(got.nz));
            for (const auto& row : got.bits)
                ASSERT_EQ(row.size(), static_cast<std::size_t>(got.nx));
        } else {
            ASSERT_EQ(got.messages.size(), 1u);
        }
    }
    done = true;
    writer.join();
    EXPECT_GT(complete, 0); // the reads did meet the whole model now and then
}

} // namespace
