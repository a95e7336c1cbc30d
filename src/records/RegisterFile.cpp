#include "records/RegisterFile.hpp"

#include <cerrno>

#include "records/FileNames.hpp"

namespace tilvaren {

FileResult ReadRegisterFile(const std::string& path, RegisterReader& reader, const std::function<bool()>& cancelled) {
    if (cancelled && cancelled()) return FileResult::Failure(FileAction::Read, path, ECANCELED);
    return ReadInPieces(path, [&reader, &cancelled](std::string_view piece) {
        reader.Add(piece);
        return !(cancelled && cancelled());
    });
}

RegisterRead ReadRegisterReport(const std::string& path, const std::function<bool()>& cancelled) {
    RegisterReader reader;
    RegisterRead read;
    read.status = ReadRegisterFile(path, reader, cancelled);
    if (!read.status && read.status.error == ENOENT) read.status = FileResult::Success();
    read.report = reader.Finish();
    return read;
}

RegisterRead ReadRegisterIn(const std::string& programDir, const std::function<bool()>& cancelled) {
    return ReadRegisterReport(programDir + kSolutionFile, cancelled);
}

}  // namespace tilvaren
