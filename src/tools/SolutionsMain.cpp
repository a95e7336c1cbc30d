// tilvaren-solutions: tells the player what a solution register holds.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "records/FileNames.hpp"
#include "core/Frame.hpp"
#include "records/ProfileFile.hpp"
#include "records/ProgramFiles.hpp"
#include "records/RegisterFile.hpp"
#include "records/RegisterReport.hpp"
#include "records/SafeFile.hpp"

namespace {

using namespace tilvaren;

constexpr int kOk = 0;
constexpr int kUsage = 1;
constexpr int kUnreadable = 2;
constexpr int kNoSuchSolution = 3;
constexpr int kWriteFailed = 4;

const char* kUsageText =
    "Usage: tilvaren-solutions [OPTIONS] [REGISTER]\n"
    "Tells, per frame, how many distinct solutions a Tilvaren solution register\n"
    "holds (copies turned or mirrored count once) and, for 6 x 10, which U cup\n"
    "positions, openings and cup letters are still missing. It only reads.\n"
    "\n"
    "REGISTER defaults to the Tilvaren.csv the game writes: beside the program\n"
    "for a copy that is not installed and may write there, otherwise in the\n"
    "user's data folder ($XDG_DATA_HOME/tilvaren, ~/.local/share/tilvaren).\n"
    "\n"
    "Options:\n"
    "  --since YYYY/MM/DD  also list how many solutions were new on or after that date\n"
    "  --list              one line per distinct solution found, oldest first find first:\n"
    "                      frame, number, date first found, how many lines hold it,\n"
    "                      e.g. \"6x10 512 2026/12/08 3\"\n"
    "  --frame H           the frame for --show and --number: 6, 5, 4 or 3 rows (default 6)\n"
    "  --show N            draw the N-th distinct solution found (1 = the oldest)\n"
    "  --show --number N   draw the solution numbered N (1..2339 for 6 x 10), if found\n"
    "  --help              show this text\n"
    "\n"
    "Exit status: 0 done, 1 bad arguments, 2 the register cannot be read,\n"
    "3 --show or --number asked for a solution the register does not hold,\n"
    "4 the output could not be written.\n";

// The register the game keeps, by its own folder rule for this program's
// folder, or none when there is no such folder. Creates nothing.
std::optional<std::string> DefaultRegister() {
    const ProgramFolder folder = ChooseProgramFolder(ExecutableDir(), ProcessEnvironment());
    if (folder.dir.empty()) return std::nullopt;
    // Until the game carries it over, a read-only portable folder's register is the player's.
    struct stat info {};
    const std::string kept = folder.dir + kSolutionFile;
    if (!folder.unwritableOwnDir.empty() && (::stat(kept.c_str(), &info) != 0 || info.st_size == 0)) {
        return folder.unwritableOwnDir + kSolutionFile;
    }
    return kept;
}

// A real day of the calendar written as yyyy/mm/dd, as the register writes it.
bool IsDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c == '/' || (c >= '0' && c <= '9'); })) {
        return false;
    }
    const int year = std::stoi(text.substr(0, 4));
    const int month = std::stoi(text.substr(5, 2));
    const int day = std::stoi(text.substr(8, 2));
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1) return false;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// Reads the register at `path` through `reader`. Returns what went wrong, or none.
std::optional<std::string> ReadRegister(const std::string& path, RegisterReader& reader) {
    const FileResult read = ReadRegisterFile(path, reader);
    if (read) return std::nullopt;
    if (read.error == ENOENT) return "there is no register at " + path;
    if (read.error == EISDIR) return path + " is a directory, not a regular file";
    if (read.error == kNotRegularFile) return path + " is not a regular file";
    return path + ": " + std::strerror(read.error);
}

std::string FrameName(int frameY) { return std::to_string(frameY) + " x " + std::to_string(FrameWidthOf(frameY)); }

// Every distinct solution found, all frames together, in the order the register first shows them.
void PrintList(const RegisterReport& report) {
    std::vector<std::pair<int, const RegisterReport::Found*>> all;
    for (const auto& [frameY, frame] : report.frames) {
        for (const RegisterReport::Found& found : frame.found) all.emplace_back(frameY, &found);
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.second->firstLine < b.second->firstLine; });
    for (const auto& [frameY, found] : all) {
        std::printf("%dx%d %d %s %zu\n", frameY, FrameWidthOf(frameY), found->number, found->firstDate.c_str(),
                    found->timesFound);
    }
}

// Draws one found solution under a line that names it.
void PrintShown(const RegisterReport::Found& found, int frameY, std::size_t place) {
    std::printf("%s solution %zu, No. %d, first recorded %s (line %zu):\n%s", FrameName(frameY).c_str(), place,
                found.number, found.firstDate.c_str(), found.firstLine, DrawFrame(found.board, frameY).c_str());
}

int Run(int argc, char* argv[]) {
    std::optional<std::string> path;
    std::string since;
    int showFrame = 6;
    int show = 0;
    int number = 0;
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "tilvaren-solutions: %s needs a value\n%s", arg.c_str(), kUsageText);
                std::exit(kUsage);
            }
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsageText, stdout);
            return kOk;
        } else if (arg == "--since") {
            since = value();
            if (!IsDate(since)) {
                std::fprintf(stderr, "tilvaren-solutions: --since takes a date as YYYY/MM/DD, not \"%s\"\n",
                             since.c_str());
                return kUsage;
            }
        } else if (arg == "--frame") {
            const auto frame = ParseDecimal(value());
            if (!frame || !IsFrameHeight(*frame)) {
                std::fprintf(stderr, "tilvaren-solutions: --frame takes 6, 5, 4 or 3\n");
                return kUsage;
            }
            showFrame = *frame;
        } else if (arg == "--list") {
            listing = true;
        } else if (arg == "--number" || (arg == "--show" && i + 1 < argc && std::string(argv[i + 1]) == "--number")) {
            if (arg == "--show") ++i;
            const auto n = ParseDecimal(value());
            if (!n || *n < 1) {
                std::fprintf(stderr, "tilvaren-solutions: --number takes a number from 1\n");
                return kUsage;
            }
            number = *n;
        } else if (arg == "--show") {
            const auto n = ParseDecimal(value());
            if (!n || *n < 1) {
                std::fprintf(stderr, "tilvaren-solutions: --show takes a number from 1\n");
                return kUsage;
            }
            show = *n;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "tilvaren-solutions: unknown option %s\n%s", arg.c_str(), kUsageText);
            return kUsage;
        } else if (!path) {
            if (arg.empty()) {
                std::fprintf(stderr, "tilvaren-solutions: the register's path is empty\n");
                return kUsage;
            }
            path = arg;
        } else {
            std::fprintf(stderr, "tilvaren-solutions: one register at a time\n");
            return kUsage;
        }
    }
    if (static_cast<int>(listing) + static_cast<int>(show > 0) + static_cast<int>(number > 0) > 1) {
        std::fprintf(stderr, "tilvaren-solutions: --list, --show and --number go one at a time\n");
        return kUsage;
    }
    if (!path) path = DefaultRegister();
    if (!path) {
        std::fprintf(stderr,
                     "tilvaren-solutions: HOME is not set to an absolute folder, so the game's register cannot be "
                     "found; name the register\n");
        return kUnreadable;
    }

    // Long registers report how far the reading has come, once a second.
    const auto started = std::chrono::steady_clock::now();
    auto lastReport = started;
    RegisterReader reader([&](std::size_t lines) {
        const auto now = std::chrono::steady_clock::now();
        if (now - started >= std::chrono::seconds(1) && now - lastReport >= std::chrono::seconds(1)) {
            std::fprintf(stderr, "tilvaren-solutions: %zu lines read...\n", lines);
            lastReport = now;
        }
    });
    if (const auto failure = ReadRegister(*path, reader)) {
        std::fprintf(stderr, "tilvaren-solutions: %s\n", failure->c_str());
        return kUnreadable;
    }
    const RegisterReport report = reader.Finish();

    if (show > 0) {
        const RegisterReport::Frame& frame = report.frames.at(showFrame);
        if (static_cast<std::size_t>(show) > frame.found.size()) {
            std::fprintf(stderr, "tilvaren-solutions: the register holds %zu distinct %s solutions, not %d\n",
                         frame.found.size(), FrameName(showFrame).c_str(), show);
            return kNoSuchSolution;
        }
        PrintShown(frame.found[static_cast<std::size_t>(show - 1)], showFrame, static_cast<std::size_t>(show));
        return kOk;
    }
    if (number > 0) {
        const RegisterReport::Frame& frame = report.frames.at(showFrame);
        const auto found = std::find_if(frame.found.begin(), frame.found.end(),
                                        [number](const RegisterReport::Found& f) { return f.number == number; });
        if (found == frame.found.end()) {
            std::fprintf(stderr, "tilvaren-solutions: the register does not hold %s solution No. %d", FrameName(showFrame).c_str(),
                         number);
            if (static_cast<std::size_t>(number) > frame.total) std::fprintf(stderr, " (the frame has %zu)", frame.total);
            std::fprintf(stderr, "\n");
            return kNoSuchSolution;
        }
        PrintShown(*found, showFrame, static_cast<std::size_t>(found - frame.found.begin()) + 1);
        return kOk;
    }
    if (listing) {
        PrintList(report);
        return kOk;
    }

    std::printf("Register %s: %zu lines, %zu damaged\n", path->c_str(), report.lineCount, report.damagedCount);
    for (const int frameY : kFrameHeights) {
        const RegisterReport::Frame& frame = report.frames.at(frameY);
        std::printf("%s: %zu of %zu distinct solutions (%zu lines)", FrameName(frameY).c_str(), frame.found.size(),
                    frame.total, frame.lines);
        if (!since.empty()) std::printf(", %zu new since %s", NewSince(frame, since).size(), since.c_str());
        std::printf("\n");
    }
    const auto list = [](const char* what, const auto& items) {
        std::printf("  %s:", what);
        if (items.empty()) std::printf(" none");
        for (const auto& item : items) std::printf(" %s", std::string(item).c_str());
        std::printf("\n");
    };
    std::printf("6 x 10 still missing:\n");
    list("cup positions", report.missing.cupPositions);
    std::vector<std::string> openings;
    for (const char c : report.missing.openings) openings.emplace_back(1, c);
    list("openings", openings);
    std::vector<std::string> letters;
    for (const char c : report.missing.cupLetters) letters.emplace_back(1, c);
    list("cup letters", letters);
    if (!report.damagedLines.empty()) {
        std::printf("Damaged lines (not counted):");
        const std::size_t shown = std::min<std::size_t>(report.damagedLines.size(), 20);
        for (std::size_t i = 0; i < shown; ++i) std::printf(" %zu", report.damagedLines[i]);
        if (shown < report.damagedCount) std::printf(" and %zu more", report.damagedCount - shown);
        std::printf("\n");
    }
    return kOk;
}

}  // namespace

// A report that could not be written in full is a failure, not a silent success.
int main(int argc, char* argv[]) {
    // Past a file-size limit (ulimit -f) a write then fails with EFBIG and is
    // reported below, instead of the signal ending the tool without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    const int status = Run(argc, argv);
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        std::fprintf(stderr, "tilvaren-solutions: 出力を書き込めません（%s）\n",
                     error != 0 ? FileErrorCause(error).c_str() : "書き込みエラー");
        std::fprintf(stderr, "tilvaren-solutions: cannot write the output: %s\n",
                     error != 0 ? std::strerror(error) : "write error");
        return status != kOk ? status : kWriteFailed;
    }
    return status;
}
