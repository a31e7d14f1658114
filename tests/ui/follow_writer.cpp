// Rewrites a model file the way a running inversion might, for the follow tests:
//   follow_writer TARGET VERSIONS_FOLDER COUNT SEED
// writes VERSIONS_FOLDER/v000.txt, v001.txt, ... over TARGET in turn, each in a few
// chunks with short pauses (now and then one over the viewer's 300 ms), either
// truncating the file first, writing a temporary file and renaming it over the target,
// or deleting the target and making it again.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {
void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: follow_writer TARGET VERSIONS COUNT SEED\n");
        return 2;
    }
    const std::string target = argv[1];
    const std::string versions = argv[2];
    const int count = std::atoi(argv[3]);
    std::mt19937 random(static_cast<unsigned>(std::atoi(argv[4])));
    const auto chance = [&](int oneIn) { return random() % oneIn == 0; };
    const auto between = [&](int low, int high) {
        return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
    };

    for (int version = 0; version < count; ++version) {
        char name[32];
        std::snprintf(name, sizeof name, "/v%03d.txt", version);
        std::ifstream in(versions + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string data = text.str();
        if (data.empty())
            return 3;

        // Cut points anywhere, inside numbers included.
        std::vector<std::size_t> cuts;
        const int pieces = between(2, 6);
        for (int i = 1; i < pieces; ++i)
            cuts.push_back(random() % data.size());
        // One version in twelve stops once for longer than the viewer waits, half of
        // them inside the last number: the file then looks whole but for its end.
        int longPauseAt = -1;
        if (chance(12)) {
            if (chance(2))
                cuts.push_back(data.size() - static_cast<std::size_t>(between(1, 4)));
            longPauseAt = -2;
        }
        cuts.push_back(data.size());
        std::sort(cuts.begin(), cuts.end());
        if (longPauseAt == -2) {
            longPauseAt = between(0, static_cast<int>(cuts.size()) - 2);
            const auto nearEnd = std::find_if(cuts.begin(), cuts.end(), [&](std::size_t cut) {
                return cut + 4 >= data.size() && cut < data.size();
            });
            if (nearEnd != cuts.end())
                longPauseAt = static_cast<int>(nearEnd - cuts.begin());
        }

        const int mode = between(0, 2);
        const std::string temporary = target + ".part";
        if (mode == 2) {
            ::unlink(target.c_str());
            pause(between(0, 5));
        }
        const std::string& path = mode == 1 ? temporary : target;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return 4;
        std::size_t done = 0;
        for (std::size_t i = 0; i < cuts.size(); ++i) {
            if (!writeAll(fd, data.data() + done, cuts[i] - done))
                return 5;
            done = cuts[i];
            if (i + 1 < cuts.size())
                pause(static_cast<int>(i) == longPauseAt ? between(320, 420) : between(0, 6));
        }
        ::close(fd);
        if (mode == 1 && ::rename(temporary.c_str(), target.c_str()) != 0)
            return 6;
        // Now and then a version stands long enough to be read.
        pause(chance(14) ? between(350, 450) : between(0, 6));
    }
    return 0;
}
