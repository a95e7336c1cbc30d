// Feeds arbitrary bytes to the register reader, once whole and once cut into
// pieces of a size the length chooses: both must give the same report, and the
// report must add up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "records/RegisterReport.hpp"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    (void)tilvaren::AnalyseRegister("");  // the frames' solutions, worked out once
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t piece = 1 + size % 61;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tilvaren::RegisterReport whole = tilvaren::AnalyseRegister(text);

    tilvaren::RegisterReader reader;
    for (std::size_t at = 0; at < text.size(); at += piece) reader.Add(text.substr(at, piece));
    const tilvaren::RegisterReport parts = reader.Finish();

    if (parts.lineCount != whole.lineCount || parts.damagedCount != whole.damagedCount ||
        parts.damagedLines != whole.damagedLines || parts.missing.cupPositions != whole.missing.cupPositions) {
        std::abort();
    }
    std::size_t counted = whole.damagedCount;
    for (const auto& [frameY, frame] : whole.frames) {
        const auto& other = parts.frames.at(frameY);
        if (other.lines != frame.lines || other.found.size() != frame.found.size()) std::abort();
        if (frame.found.size() > frame.total || frame.found.size() > frame.lines) std::abort();
        counted += frame.lines;
    }
    if (counted != whole.lineCount || whole.damagedLines.size() > tilvaren::kDamagedLinesKept) std::abort();
    return 0;
}
