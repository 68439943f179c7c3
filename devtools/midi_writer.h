// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A small Standard MIDI File writer: tracks of timed events, encoded with
// variable-length delta times. Enough to compose the program's music.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemo::devtools {

// The variable-length quantity of a delta time: seven bits a byte, most
// significant first, the high bit set on all bytes but the last.
std::string VariableLength(std::uint32_t value);

class MidiTrack {
  public:
    void Name(std::string_view name);
    void Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter);
    void TimeSignature(std::uint32_t tick, int numerator, int denominatorPower);
    void Program(std::uint32_t tick, int channel, int program);
    void Controller(std::uint32_t tick, int channel, int controller, int value);
    // A note-on at `tick` and its note-off `duration` ticks later.
    void Note(std::uint32_t tick, std::uint32_t duration, int channel, int key, int velocity);
    // The end of the track comes no earlier than this tick.
    void EndAt(std::uint32_t tick);

    std::uint32_t LastTick() const;
    // The "MTrk" chunk: events in time order (at one tick the note-offs come
    // first, then settings, then note-ons), closed by the end-of-track event.
    std::string Encode() const;

  private:
    struct Event {
        std::uint32_t tick;
        int order; // 0 note-off, 1 meta and settings, 2 note-on
        std::string bytes;
    };
    void Add(std::uint32_t tick, int order, std::string bytes);

    std::vector<Event> events_;
    std::uint32_t end_ = 0;
};

// A format-1 file (format 0 for a single track).
std::string EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter);

} // namespace vemo::devtools
