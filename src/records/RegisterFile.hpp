#pragma once

#include <functional>
#include <string>

#include "records/RegisterReport.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

// Reads the register at `path` through `reader` a piece at a time, so its size
// does not matter and memory stays bounded. Only a regular file is read: a
// folder, FIFO or device is refused without waiting on it, and a missing file
// is a failure (ENOENT). `cancelled` (may be empty) is asked before each piece;
// true stops the reading, and the result is then a failure with errno
// ECANCELED. A failure's reason names the file and the cause in Japanese;
// EnglishReason gives it for the command-line tools. `reader` is not finished.
FileResult ReadRegisterFile(const std::string& path, RegisterReader& reader,
                            const std::function<bool()>& cancelled = {});

// The register at `path` read whole, streamed as above, into its report; a
// register not made yet reads as an empty one. `status` tells a failure.
struct RegisterRead {
    FileResult status;
    RegisterReport report;
};
RegisterRead ReadRegisterReport(const std::string& path, const std::function<bool()>& cancelled = {});
// The same for the register in the program folder (a path ending in '/'): the
// one place its name is joined to the folder.
RegisterRead ReadRegisterIn(const std::string& programDir, const std::function<bool()>& cancelled = {});

}  // namespace tilvaren
