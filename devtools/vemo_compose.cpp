// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the congratulations music, Musique1.mid .. Musique5.mid, into the
// folder given as argument (data/Divers of the sources by default).
#include "devtools/music_composer.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : std::string(VEMO_SOURCE_DIR) + "/data/Divers";
    for (int number = 1; number <= vemo::devtools::kPieceCount; ++number) {
        const std::string path = folder + "/Musique" + std::to_string(number) + ".mid";
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << vemo::devtools::ComposePiece(number);
        if (!file) {
            std::fprintf(stderr, "vemo-compose: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
