// libFuzzer entry: the settings reader on arbitrary bytes. Whatever the file
// holds, the language is a plain file name, and writing the settings back and
// reading them again gives the same values.
#include "io/settings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vemo::io::Settings s = vemo::io::ParseSettings(bytes);
    if (!vemo::io::IsPlainFileName(s.Language)) std::abort();
    (void)vemo::io::FindSetting(bytes, "Divers", "Langue");
    const vemo::io::Settings again = vemo::io::ParseSettings(vemo::io::SettingsText(s));
    if (again.Type != s.Type || again.XSudoku != s.XSudoku || again.Left != s.Left ||
        again.Top != s.Top || again.Difficulty != s.Difficulty || again.Symmetry != s.Symmetry ||
        again.CandidateDisplay != s.CandidateDisplay)
        std::abort();
    return 0;
}
