// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The catalogue is a constant table: techniques/catalogue.h.
#include "catalogue.h"
