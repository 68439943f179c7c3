// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chains.h"

namespace vemo::advanced {

// Not written yet: each finds nothing.
bool FindXChain(const Board&, AdvancedStep&) {
    return false;
}
bool FindXYChain(const Board&, AdvancedStep&) {
    return false;
}
bool FindNiceLoop(const Board&, AdvancedStep&) {
    return false;
}
bool FindGroupedNiceLoop(const Board&, AdvancedStep&) {
    return false;
}
bool FindAlsXZ(const Board&, AdvancedStep&) {
    return false;
}
bool FindAlsXYWing(const Board&, AdvancedStep&) {
    return false;
}
bool FindAlsChain(const Board&, AdvancedStep&) {
    return false;
}
bool FindDeathBlossom(const Board&, AdvancedStep&) {
    return false;
}
bool FindSueDeCoq(const Board&, AdvancedStep&) {
    return false;
}
bool FindCellForcingChain(const Board&, AdvancedStep&) {
    return false;
}
bool FindUnitForcingChain(const Board&, AdvancedStep&) {
    return false;
}
bool FindContradictionForcingChain(const Board&, AdvancedStep&) {
    return false;
}
bool FindForcingNet(const Board&, AdvancedStep&) {
    return false;
}

} // namespace vemo::advanced
