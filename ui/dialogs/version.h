// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's version: four numbers joined by "." (major, minor, release,
// build), taken from the project version at build time.
#pragma once

#include <QByteArray>

namespace vemo::ui {

QByteArray VersionString();

} // namespace vemo::ui
