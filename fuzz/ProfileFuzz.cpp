// Feeds arbitrary bytes to the INI reader: every key set must read back, and
// the text must keep everything else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "records/ProfileFile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tilvaren::ProfileFile file(text);
    if (file.Text() != text) std::abort();  // reading alone changes nothing

    (void)file.GetInt("Pentomino", "iniFrameY", 6);
    (void)file.GetInt("Environment", "iniFrameSize", 24);
    file.Set("Pentomino", "iniFrameY", "5");
    file.Set("Environment", "iniFrameSize", "32");
    file.Set("Environment", "iniMenuBarOn", "0");
    file.Set("Environment", "iniStatusBarOn", "1");

    const tilvaren::ProfileFile reread(file.Text());
    if (reread.GetInt("Pentomino", "iniFrameY", -1) != 5) std::abort();
    if (reread.GetInt("Environment", "iniFrameSize", -1) != 32) std::abort();
    if (reread.GetInt("Environment", "iniMenuBarOn", -1) != 0) std::abort();
    if (reread.GetInt("Environment", "iniStatusBarOn", -1) != 1) std::abort();
    return 0;
}
