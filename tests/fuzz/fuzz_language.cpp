// libFuzzer entry: the language loader on arbitrary bytes. A load either
// succeeds with the table the file describes or keeps the previous table, and
// every lookup answers.
#include "io/language.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vemo::io::LanguageTable table;
    if (!table.LoadText("#0051 0000  Nouveau\n").ok) std::abort();
    const vemo::io::LanguageLoadReport report = table.LoadText(bytes);
    if (!report.ok && table.LookupText(51) != "Nouveau") std::abort();
    if (report.ok && !table.Loaded()) std::abort();
    for (int id = 0; id < 10000; id += 97)
        for (int sub = 0; sub < 3; ++sub)
            if (table.Has(id, sub) && table.LookupText(id, sub).size() > bytes.size() * 3 + 3)
                std::abort(); // no entry is longer than its decoded line
    return 0;
}
