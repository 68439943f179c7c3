// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the congratulations music, Musique1.mid .. Musique5.mid, into the
// folder given as argument (data/Divers of the sources by default).
#include "devtools/music_composer.h"
#include "io/checked_writer.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : std::string(VEMO_SOURCE_DIR) + "/data/Divers";
    for (int number = 1; number <= vemo::devtools::kPieceCount; ++number) {
        const std::string path = folder + "/Musique" + std::to_string(number) + ".mid";
        std::string error;
        if (!vemo::io::WriteFileChecked(path, vemo::devtools::ComposePiece(number), &error)) {
            std::fprintf(stderr, "vemo-compose: cannot write %s: %s\n", path.c_str(),
                         error.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
