// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "devtools/midi_writer.h"

#include <algorithm>

namespace vemo::devtools {

namespace {

char Byte(int value) {
    return static_cast<char>(static_cast<unsigned char>(value & 0xFF));
}

std::string BigEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int k = bytes - 1; k >= 0; --k) out += Byte(static_cast<int>(value >> (8 * k)));
    return out;
}

std::string Meta(int type, std::string_view data) {
    std::string out{Byte(0xFF), Byte(type)};
    return out + VariableLength(static_cast<std::uint32_t>(data.size())) + std::string(data);
}

} // namespace

std::string VariableLength(std::uint32_t value) {
    value &= 0x0FFFFFFF; // the format allows four bytes
    std::string out(1, Byte(static_cast<int>(value & 0x7F)));
    while ((value >>= 7) != 0)
        out.insert(out.begin(), Byte(static_cast<int>(0x80 | (value & 0x7F))));
    return out;
}

void MidiTrack::Add(std::uint32_t tick, int order, std::string bytes) {
    events_.push_back({tick, order, std::move(bytes)});
}

void MidiTrack::Name(std::string_view name) {
    Add(0, 1, Meta(0x03, name));
}

void MidiTrack::Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter) {
    Add(tick, 1, Meta(0x51, BigEndian(microsecondsPerQuarter, 3)));
}

void MidiTrack::TimeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
    Add(tick, 1,
        Meta(0x58, std::string{Byte(numerator), Byte(denominatorPower), Byte(24), Byte(8)}));
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
    Add(tick, 1, std::string{Byte(0xC0 | (channel & 0x0F)), Byte(program & 0x7F)});
}

void MidiTrack::Controller(std::uint32_t tick, int channel, int controller, int value) {
    Add(tick, 1,
        std::string{Byte(0xB0 | (channel & 0x0F)), Byte(controller & 0x7F), Byte(value & 0x7F)});
}

void MidiTrack::Note(std::uint32_t tick, std::uint32_t duration, int channel, int key,
                     int velocity) {
    Add(tick, 2,
        std::string{Byte(0x90 | (channel & 0x0F)), Byte(key & 0x7F), Byte(velocity & 0x7F)});
    Add(tick + duration, 0,
        std::string{Byte(0x80 | (channel & 0x0F)), Byte(key & 0x7F), Byte(0x40)});
}

void MidiTrack::EndAt(std::uint32_t tick) {
    end_ = std::max(end_, tick);
}

std::uint32_t MidiTrack::LastTick() const {
    std::uint32_t last = end_;
    for (const Event& event : events_) last = std::max(last, event.tick);
    return last;
}

std::string MidiTrack::Encode() const {
    std::vector<Event> events = events_;
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::string body;
    std::uint32_t now = 0;
    for (const Event& event : events) {
        body += VariableLength(event.tick - now) + event.bytes;
        now = event.tick;
    }
    body += VariableLength(LastTick() - now) + Meta(0x2F, {});
    return "MTrk" + BigEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

std::string EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter) {
    const int format = tracks.size() == 1 ? 0 : 1;
    std::string out = "MThd" + BigEndian(6, 4) + BigEndian(format, 2) +
                      BigEndian(static_cast<std::uint32_t>(tracks.size()), 2) +
                      BigEndian(static_cast<std::uint32_t>(ticksPerQuarter), 2);
    for (const MidiTrack& track : tracks) out += track.Encode();
    return out;
}

} // namespace vemo::devtools
