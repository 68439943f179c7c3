// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "devtools/music_composer.h"

#include "devtools/midi_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vemo::devtools {

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kEighth = kTicksPerQuarter / 2;

enum class Accompaniment { kAlberti, kWaltz, kArpeggio, kSustained };

struct Style {
    const char* name;
    int reference; // tonic of the accompaniment's octave
    bool minor;
    int beatsPerBar;
    int beatsPerMinute;
    std::vector<int> chords; // scale degree (0 = tonic) of each bar; the last is the tonic
    int melodyProgram;
    int accompanimentProgram;
    int bassProgram;
    Accompaniment accompaniment;
    std::uint32_t seed;
};

const std::array<Style, kPieceCount>& Styles() {
    static const std::array<Style, kPieceCount> styles = {{
        {"Matin",
         60,
         false,
         4,
         112,
         {0, 4, 5, 3, 0, 3, 4, 0},
         0,
         0,
         32,
         Accompaniment::kAlberti,
         0x2545F491u},
        {"Valse",
         55,
         false,
         3,
         138,
         {0, 0, 4, 4, 3, 0, 1, 4, 0, 0, 4, 4, 3, 4, 4, 0},
         73,
         46,
         45,
         Accompaniment::kWaltz,
         0x9E3779B9u},
        {"Berceuse",
         53,
         false,
         4,
         84,
         {0, 5, 3, 4, 0, 5, 4, 0},
         10,
         48,
         42,
         Accompaniment::kSustained,
         0x85EBCA6Bu},
        {"Promenade",
         50,
         false,
         4,
         126,
         {0, 3, 4, 0, 5, 1, 4, 4, 0, 3, 4, 0},
         11,
         24,
         33,
         Accompaniment::kArpeggio,
         0xC2B2AE35u},
        {"Souvenir",
         57,
         true,
         3,
         108,
         {0, 5, 2, 6, 0, 3, 4, 4, 0, 5, 3, 0},
         71,
         0,
         32,
         Accompaniment::kWaltz,
         0x27D4EB2Fu},
    }};
    return styles;
}

// A fixed generator, so that a piece is the same on every machine.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed != 0 ? seed : 1) {}
    int Below(int n) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<int>(state_ % static_cast<std::uint32_t>(n));
    }

  private:
    std::uint32_t state_;
};

class Scale {
  public:
    explicit Scale(const Style& style) : reference_(style.reference), minor_(style.minor) {}
    // The key of scale step `step` (0 = the reference tonic, 7 = an octave up).
    int Key(int step) const {
        static constexpr int kMajor[] = {0, 2, 4, 5, 7, 9, 11};
        static constexpr int kMinor[] = {0, 2, 3, 5, 7, 8, 10};
        const int octave = step >= 0 ? step / 7 : -((6 - step) / 7);
        const int degree = step - 7 * octave;
        return reference_ + 12 * octave + (minor_ ? kMinor : kMajor)[degree];
    }
    // Whether a step belongs to the triad on `chord`.
    static bool InChord(int step, int chord) {
        const int relative = ((step - chord) % 7 + 7) % 7;
        return relative == 0 || relative == 2 || relative == 4;
    }

  private:
    int reference_;
    bool minor_;
};

// Rhythms of one bar, in eighths.
const std::vector<std::vector<int>>& Rhythms(int beatsPerBar) {
    static const std::vector<std::vector<int>> fourFour = {
        {2, 2, 2, 2}, {2, 1, 1, 2, 2}, {3, 1, 2, 2}, {2, 2, 4}, {1, 1, 2, 2, 2}, {4, 2, 2},
    };
    static const std::vector<std::vector<int>> threeFour = {
        {2, 2, 2},
        {4, 2},
        {2, 1, 1, 2},
        {3, 1, 2},
    };
    return beatsPerBar == 3 ? threeFour : fourFour;
}

constexpr int kLowestStep = 5;   // melody steps, counted from the reference tonic
constexpr int kHighestStep = 16; // about an octave and a half above it

void WriteMelody(const Style& style, const Scale& scale, Random& random, MidiTrack& track) {
    const int bars = static_cast<int>(style.chords.size());
    const int barTicks = style.beatsPerBar * kTicksPerQuarter;
    const auto& rhythms = Rhythms(style.beatsPerBar);
    // The second half answers the first with the same rhythms: a phrase and
    // its reply.
    std::vector<int> chosen(static_cast<std::size_t>(bars));
    for (int bar = 0; bar < bars; ++bar)
        chosen[static_cast<std::size_t>(bar)] =
            bar < bars / 2 ? random.Below(static_cast<int>(rhythms.size()))
                           : chosen[static_cast<std::size_t>(bar - bars / 2)];
    int step = 7 + 2 * random.Below(2); // the tonic or the third above it
    for (int bar = 0; bar < bars; ++bar) {
        const int chord = style.chords[static_cast<std::size_t>(bar)];
        const std::uint32_t start = static_cast<std::uint32_t>(bar * barTicks);
        if (bar == bars - 1) {
            // End on the tonic, held for the whole bar.
            const int tonic = std::abs(step - 7) <= std::abs(step - 14) ? 7 : 14;
            track.Note(start, static_cast<std::uint32_t>(barTicks - kEighth / 2), 0,
                       scale.Key(tonic), 88);
            break;
        }
        int position = 0;
        for (const int length :
             rhythms[static_cast<std::size_t>(chosen[static_cast<std::size_t>(bar)])]) {
            const bool strong = position % 2 == 0;
            std::vector<int> candidates;
            for (int next = std::max(kLowestStep, step - 4);
                 next <= std::min(kHighestStep, step + 4); ++next) {
                if (strong ? Scale::InChord(next, chord) : std::abs(next - step) == 1)
                    candidates.push_back(next);
            }
            if (candidates.empty()) candidates.push_back(step);
            // Prefer the nearer notes: draw twice, keep the closer one.
            int pick = candidates[static_cast<std::size_t>(
                random.Below(static_cast<int>(candidates.size())))];
            const int other = candidates[static_cast<std::size_t>(
                random.Below(static_cast<int>(candidates.size())))];
            if (std::abs(other - step) < std::abs(pick - step) && other != step) pick = other;
            step = pick;
            const int velocity = (position == 0 ? 96 : strong ? 86 : 74) + random.Below(7);
            track.Note(start + static_cast<std::uint32_t>(position * kEighth),
                       static_cast<std::uint32_t>(length * kEighth - kEighth / 4), 0,
                       scale.Key(step), velocity);
            position += length;
        }
    }
}

void WriteAccompaniment(const Style& style, const Scale& scale, MidiTrack& track) {
    const int bars = static_cast<int>(style.chords.size());
    const int barTicks = style.beatsPerBar * kTicksPerQuarter;
    for (int bar = 0; bar < bars; ++bar) {
        const int chord = style.chords[static_cast<std::size_t>(bar)];
        const std::uint32_t start = static_cast<std::uint32_t>(bar * barTicks);
        const int root = scale.Key(chord);
        const int third = scale.Key(chord + 2);
        const int fifth = scale.Key(chord + 4);
        const auto note = [&](int offset, int length, int key, int velocity) {
            track.Note(start + static_cast<std::uint32_t>(offset),
                       static_cast<std::uint32_t>(length), 1, key, velocity);
        };
        if (bar == bars - 1) {
            for (const int key : {root, third, fifth}) note(0, barTicks, key, 58);
            continue;
        }
        switch (style.accompaniment) {
        case Accompaniment::kAlberti:
            for (int k = 0; k < 2 * style.beatsPerBar; ++k) {
                const int key =
                    std::array{root, fifth, third, fifth}[static_cast<std::size_t>(k % 4)];
                note(k * kEighth, kEighth, key, k % 2 == 0 ? 56 : 48);
            }
            break;
        case Accompaniment::kWaltz:
            for (int beat = 1; beat < style.beatsPerBar; ++beat)
                for (const int key : {third, fifth, root + 12})
                    note(beat * kTicksPerQuarter, kTicksPerQuarter - kEighth / 2, key, 50);
            break;
        case Accompaniment::kArpeggio:
            for (int k = 0; k < 2 * style.beatsPerBar; ++k) {
                const int key =
                    std::array{root, third, fifth, root + 12}[static_cast<std::size_t>(k % 4)];
                note(k * kEighth, 2 * kEighth, key, 52);
            }
            break;
        case Accompaniment::kSustained:
            for (const int key : {root, third, fifth}) note(0, barTicks - kEighth / 4, key, 46);
            break;
        }
    }
}

void WriteBass(const Style& style, const Scale& scale, MidiTrack& track) {
    const int bars = static_cast<int>(style.chords.size());
    const int barTicks = style.beatsPerBar * kTicksPerQuarter;
    for (int bar = 0; bar < bars; ++bar) {
        const int chord = style.chords[static_cast<std::size_t>(bar)];
        const std::uint32_t start = static_cast<std::uint32_t>(bar * barTicks);
        const int root = scale.Key(chord) - 12;
        if (bar == bars - 1 || style.beatsPerBar == 3) {
            // One root per bar: the waltz's "oom" and the final note.
            track.Note(start,
                       static_cast<std::uint32_t>(bar == bars - 1 ? barTicks : kTicksPerQuarter), 2,
                       root, 70);
            continue;
        }
        const int half = barTicks / 2;
        track.Note(start, static_cast<std::uint32_t>(half - kEighth / 4), 2, root, 72);
        track.Note(start + static_cast<std::uint32_t>(half),
                   static_cast<std::uint32_t>(half - kEighth / 4), 2, scale.Key(chord + 4) - 12,
                   62);
    }
}

} // namespace

std::string ComposePiece(int number) {
    const Style& style = Styles()[static_cast<std::size_t>(std::clamp(number, 1, kPieceCount) - 1)];
    const Scale scale(style);
    Random random(style.seed);
    const std::uint32_t length =
        static_cast<std::uint32_t>(style.chords.size()) * style.beatsPerBar * kTicksPerQuarter;

    std::vector<MidiTrack> tracks(4);
    MidiTrack& conductor = tracks[0];
    conductor.Name(style.name);
    conductor.Tempo(0, static_cast<std::uint32_t>(60'000'000 / style.beatsPerMinute));
    conductor.TimeSignature(0, style.beatsPerBar, 2);

    const int programs[] = {style.melodyProgram, style.accompanimentProgram, style.bassProgram};
    const int volumes[] = {110, 80, 90};
    const int reverb[] = {50, 40, 30};
    for (int channel = 0; channel < 3; ++channel) {
        MidiTrack& track = tracks[static_cast<std::size_t>(channel + 1)];
        track.Program(0, channel, programs[channel]);
        track.Controller(0, channel, 7, volumes[channel]);
        track.Controller(0, channel, 91, reverb[channel]);
    }
    WriteMelody(style, scale, random, tracks[1]);
    WriteAccompaniment(style, scale, tracks[2]);
    WriteBass(style, scale, tracks[3]);
    // Half a bar of silence lets the last chord ring out.
    for (MidiTrack& track : tracks) track.EndAt(length + style.beatsPerBar * kTicksPerQuarter / 2);
    return EncodeMidiFile(tracks, kTicksPerQuarter);
}

} // namespace vemo::devtools
