// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer entry: the records reader on arbitrary bytes. Records it accepts
// are written back and read again the same; a finished game added to them
// keeps them readable.
#include "io/records.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vemo::io::RecordsRead read = vemo::io::ParseRecords(bytes);
    const bool readable = read.status == vemo::io::RecordsStatus::kOk ||
                          read.status == vemo::io::RecordsStatus::kNewerVersion;
    if (!readable) {
        if (!read.records.Empty()) std::abort(); // a refused file is read as empty
        return 0;
    }
    const vemo::io::RecordsRead again = vemo::io::ParseRecords(vemo::io::RecordsText(read.records));
    if (again.status != vemo::io::RecordsStatus::kOk || !(again.records == read.records))
        std::abort();
    const int kind = size > 0 ? data[0] % vemo::io::kVariantKinds : 0;
    const int band = size > 1 ? data[1] % vemo::io::kBands : 0;
    const long long seconds = size > 2 ? data[2] * 37LL : 0;
    const auto hints = static_cast<vemo::io::HintUse>(size > 3 ? data[3] % 3 : 0);
    vemo::io::AddFinishedGame(read.records, kind, size % 2, band, seconds, hints);
    const vemo::io::RecordsRead added = vemo::io::ParseRecords(vemo::io::RecordsText(read.records));
    if (added.status != vemo::io::RecordsStatus::kOk || !(added.records == read.records))
        std::abort();
    return 0;
}
