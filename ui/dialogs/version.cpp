// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/version.h"

#ifndef VEMO_VERSION_STRING
#error "VEMO_VERSION_STRING must name the program's four-part version"
#endif

namespace vemo::ui {

QByteArray VersionString() {
    return QByteArrayLiteral(VEMO_VERSION_STRING);
}

} // namespace vemo::ui
