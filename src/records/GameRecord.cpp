#include "records/GameRecord.hpp"

#include <vector>

#include "core/Frame.hpp"
#include "core/CellCodes.hpp"
#include "pieces/Catalogue.hpp"

namespace tilvaren {

std::string FormatGameRecord(const GameRecord& record, const Clock& clock) {
    std::string line = std::to_string(record.frameY);
    line += ',' + record.cupPosition + ',' + record.opening + ',' + record.cupLetter;
    for (const char code : record.cells) {
        line += ',';
        line += code;
    }
    line += ',' + FormatDate(clock.Now());
    line += ',' + FormatTime(clock.Now());
    line += ',' + FormatDate(clock.Now());
    line += ',' + FormatTime(clock.Now());
    line += ',' + record.marker + "\r\n";
    return line;
}

namespace {

bool IsWrittenCellCode(char code) {
    return code == kEmpty || code == kSelected || code == kBlocked || IsPieceLetter(code);
}

ParsedRecord Refuse(const char* problem, std::size_t number = 0) {
    ParsedRecord parsed;
    parsed.problem = {problem, {std::to_string(number)}};
    return parsed;
}

}  // namespace

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

ParsedRecord ParseGameRecord(std::string_view text) {
    const std::vector<std::string_view> fields = SplitFields(text.substr(0, text.find_first_of("\r\n")));
    if (fields.size() < 64) return Refuse(TILVAREN_TR_NOOP("Engine", "行の項目が69ではなく%1です"), fields.size());

    const std::string_view frame = fields[0];
    if (frame.size() != 1 || !IsFrameHeight(frame[0] - '0')) {
        return Refuse(TILVAREN_TR_NOOP("Engine", "フレームの高さが3、4、5、6のどれでもありません"));
    }
    ParsedRecord parsed;
    parsed.record.frameY = frame[0] - '0';
    for (std::size_t n = 0; n < 60; ++n) {
        const std::string_view field = fields[4 + n];
        if (field.empty()) return Refuse(TILVAREN_TR_NOOP("Engine", "セル%1が空です"), n);
        if (!IsWrittenCellCode(field[0])) return Refuse(TILVAREN_TR_NOOP("Engine", "セル%1に知らないコードがあります"), n);
        parsed.record.cells[n] = field[0];
    }
    if (fields.size() > 3) {
        parsed.record.cupPosition = std::string(fields[1]);
        parsed.record.opening = fields[2].empty() ? '-' : fields[2][0];
        parsed.record.cupLetter = fields[3].empty() ? '-' : fields[3][0];
    }
    if (fields.size() > 68) parsed.record.marker = std::string(fields[68]);
    parsed.ok = true;
    return parsed;
}

}  // namespace tilvaren
