// A 4 million-cell model followed through ten rewrites: the window keeps answering
// while each new version is read and swapped in, with a depth-of-investigation mask
// recomputed every time. Run alone (RUN_SERIAL): other tests would steal its time.
#include "AppFixture.h"

#include "dialogs/CDoi.h"
#include "shell/CommandIds.h"
#include "shell/FileFollower.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KORVEX_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KORVEX_SANITIZED 1
#endif
#endif

namespace {
constexpr int Side = 2000;
constexpr int Rewrites = 10;
constexpr int Width = 11; // "%.5e" of a value below 10

// Every value written with the same width, so a version differs only in its first one.
std::string LargeModel() {
    std::string text = std::to_string(Side) + " " + std::to_string(Side) + "\n";
    text.reserve(text.size() + static_cast<std::size_t>(Side) * Side * (Width + 1));
    char number[32];
    for (int i = 0; i < Side * Side; ++i) {
        std::snprintf(number, sizeof number, "%.5e", 0.001 + (i % 9973) * 1e-4);
        text += number;
        text += (i + 1) % Side == 0 ? '\n' : ' ';
    }
    return text;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    // In pieces, as an inversion writes.
    const std::size_t piece = text.size() / 4 + 1;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        out.write(text.data() + at,
                  static_cast<std::streamsize>(std::min(piece, text.size() - at)));
        out.flush();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

class FollowLoadTest : public AppFixture {};

TEST_F(FollowLoadTest, FourMillionCellsFollowedWithoutHoldingTheWindow) {
    std::string text = LargeModel();
    const std::size_t first = text.find('\n') + 1;
    const std::string model = folder.write("big.txt", text);
    const std::string sensitivities = folder.write("sens.txt", text);
    std::string mesh =
        "1 0 20000 " + std::to_string(Side) + "\n1 0 5000 " + std::to_string(Side) + "\n";
    folder.write("big.msh", mesh);
    ASSERT_TRUE(start({"big.msh", "big.txt", "/follow"}));
    app->SetLoadsInBackground(true);
    ASSERT_TRUE(app->follower().isOn());
    answer = [&](QDialog& dialog) {
        auto& doi = dynamic_cast<CDoi&>(dialog);
        doi.fileName = sensitivities;
        doi.useRecoveredModel = false;
        return int(QDialog::Accepted);
    };
    frame().Dispatch(ID_DEPTH_OF_INVESTIGATION);
    ASSERT_TRUE(view().state().doi.shown);
    QApplication::processEvents();

    // The first value tells the versions apart.
    std::vector<float> firstValues;
    doc().AddUpdateListener([&] { firstValues.push_back(doc().model.values[0][0]); });

    // The longest stretch the event loop was held, from the first rewrite on.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });

    std::atomic<int> swapped{0};
    std::atomic<bool> stop{false};
    doc().AddUpdateListener([&] { ++swapped; });
    std::thread writer([&] {
        char number[32];
        for (int version = 1; version <= Rewrites && !stop; ++version) {
            while (swapped < version - 1 && !stop)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            std::snprintf(number, sizeof number, "%.5e", 1.0 + version);
            text.replace(first, Width, number);
            WriteFile(model, text);
        }
    });
    clock.start();
    ticker.start();
    const bool all = QTest::qWaitFor([&] { return swapped == Rewrites; }, 240000);
    ticker.stop();
    stop = true;
    writer.join();
    ASSERT_TRUE(all) << swapped << " of " << Rewrites << " versions shown";

    ASSERT_EQ(firstValues.size(), static_cast<std::size_t>(Rewrites));
    for (int version = 1; version <= Rewrites; ++version)
        EXPECT_FLOAT_EQ(firstValues[version - 1], std::log10(1.0f + version));
    EXPECT_TRUE(view().state().doi.shown);
    EXPECT_EQ(view().state().doi.values.size(), static_cast<std::size_t>(Side));
    EXPECT_TRUE(messages.entries.empty());
    std::printf("%d rewrites in %.1f s, event loop held at most %.1f ms\n", Rewrites,
                clock.nsecsElapsed() / 1e9, longest / 1e6);
#ifndef KORVEX_SANITIZED
    EXPECT_LT(longest, 100'000'000) << "the event loop was held " << longest / 1e6 << " ms";
#endif
}
} // namespace
