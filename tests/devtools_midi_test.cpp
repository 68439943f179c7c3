// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The MIDI writer and the five composed pieces, read back by an independent
// reader of the file format.
#include "devtools/midi_writer.h"
#include "devtools/music_composer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vemo::devtools {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) out += static_cast<char>(v);
    return out;
}

// ---------------------------------------------------------------- a reader

struct ReadEvent {
    std::uint32_t tick;
    int status; // 0xFF for meta events
    int type;   // meta type, or the first data byte
    int value;  // second data byte
    std::string data;
};

struct ReadFile {
    int format = -1;
    int division = 0;
    std::vector<std::vector<ReadEvent>> tracks;
    std::string error;
};

class Reader {
  public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ >= bytes_.size(); }
    std::size_t At() const { return at_; }
    int Byte() {
        if (AtEnd()) throw std::runtime_error("past the end");
        return static_cast<unsigned char>(bytes_[at_++]);
    }
    std::uint32_t Number(int count) {
        std::uint32_t v = 0;
        for (int k = 0; k < count; ++k) v = (v << 8) | static_cast<std::uint32_t>(Byte());
        return v;
    }
    std::uint32_t Variable() {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) {
            const int b = Byte();
            v = (v << 7) | static_cast<std::uint32_t>(b & 0x7F);
            if ((b & 0x80) == 0) return v;
        }
        throw std::runtime_error("variable-length number longer than four bytes");
    }
    std::string Text(std::size_t count) {
        if (at_ + count > bytes_.size()) throw std::runtime_error("past the end");
        std::string s = bytes_.substr(at_, count);
        at_ += count;
        return s;
    }

  private:
    const std::string& bytes_;
    std::size_t at_ = 0;
};

ReadFile Read(const std::string& bytes) {
    ReadFile file;
    try {
        Reader in(bytes);
        if (in.Text(4) != "MThd") throw std::runtime_error("no header chunk");
        if (in.Number(4) != 6) throw std::runtime_error("header length is not 6");
        file.format = static_cast<int>(in.Number(2));
        const std::uint32_t count = in.Number(2);
        file.division = static_cast<int>(in.Number(2));
        for (std::uint32_t t = 0; t < count; ++t) {
            if (in.Text(4) != "MTrk") throw std::runtime_error("no track chunk");
            const std::uint32_t length = in.Number(4);
            const std::size_t end = in.At() + length;
            std::vector<ReadEvent> events;
            std::uint32_t tick = 0;
            bool ended = false;
            while (in.At() < end) {
                if (ended) throw std::runtime_error("events after the end of track");
                tick += in.Variable();
                const int status = in.Byte();
                if (status == 0xFF) {
                    const int type = in.Byte();
                    const std::uint32_t size = in.Variable();
                    events.push_back({tick, status, type, 0, in.Text(size)});
                    ended = type == 0x2F;
                } else if ((status & 0xF0) == 0xC0) {
                    events.push_back({tick, status, in.Byte(), 0, {}});
                } else if (status >= 0x80 && (status & 0xF0) != 0xF0) {
                    const int a = in.Byte();
                    events.push_back({tick, status, a, in.Byte(), {}});
                } else {
                    throw std::runtime_error("unexpected status byte");
                }
            }
            if (in.At() != end) throw std::runtime_error("track length does not match its events");
            if (!ended) throw std::runtime_error("track without end-of-track event");
            file.tracks.push_back(std::move(events));
        }
        if (!in.AtEnd()) throw std::runtime_error("bytes after the last track");
    } catch (const std::exception& e) {
        file.error = e.what();
    }
    return file;
}

// ---------------------------------------------------------------- the writer

TEST(MidiWriter, VariableLengthQuantities) {
    EXPECT_EQ(VariableLength(0x00), Bytes({0x00}));
    EXPECT_EQ(VariableLength(0x40), Bytes({0x40}));
    EXPECT_EQ(VariableLength(0x7F), Bytes({0x7F}));
    EXPECT_EQ(VariableLength(0x80), Bytes({0x81, 0x00}));
    EXPECT_EQ(VariableLength(0x2000), Bytes({0xC0, 0x00}));
    EXPECT_EQ(VariableLength(0x3FFF), Bytes({0xFF, 0x7F}));
    EXPECT_EQ(VariableLength(0x4000), Bytes({0x81, 0x80, 0x00}));
    EXPECT_EQ(VariableLength(0x1FFFFF), Bytes({0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(VariableLength(0x200000), Bytes({0x81, 0x80, 0x80, 0x00}));
    EXPECT_EQ(VariableLength(0x0FFFFFFF), Bytes({0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(MidiWriter, HeaderChunk) {
    const std::string one = EncodeMidiFile({MidiTrack{}}, 480);
    EXPECT_EQ(one.substr(0, 14), std::string("MThd") + Bytes({0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0}));
    const std::string three = EncodeMidiFile(std::vector<MidiTrack>(3), 96);
    EXPECT_EQ(three.substr(0, 14), std::string("MThd") + Bytes({0, 0, 0, 6, 0, 1, 0, 3, 0, 96}));
}

TEST(MidiWriter, EmptyTrackIsOnlyTheEndOfTrack) {
    EXPECT_EQ(MidiTrack{}.Encode(),
              std::string("MTrk") + Bytes({0, 0, 0, 4, 0x00, 0xFF, 0x2F, 0x00}));
}

TEST(MidiWriter, NoteOnAndOffWithDeltaTimes) {
    MidiTrack track;
    track.Note(200, 300, 1, 60, 100);                                   // on at 200, off at 500
    EXPECT_EQ(track.Encode(), std::string("MTrk") + Bytes({0, 0, 0, 14, // length
                                                           0x81, 0x48, 0x91, 60, 100,  // +200 on
                                                           0x82, 0x2C, 0x81, 60, 0x40, // +300 off
                                                           0x00, 0xFF, 0x2F, 0x00}));
}

TEST(MidiWriter, AtOneTickNoteOffsComeBeforeNoteOns) {
    MidiTrack track;
    track.Note(0, 480, 0, 64, 90);
    track.Note(480, 480, 0, 64, 90); // the same key again: its off must not cut the new note
    const ReadFile file = Read(EncodeMidiFile({track}, 480));
    ASSERT_EQ(file.error, "");
    const auto& events = file.tracks[0];
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[1].tick, 480u);
    EXPECT_EQ(events[1].status, 0x80);
    EXPECT_EQ(events[2].tick, 480u);
    EXPECT_EQ(events[2].status, 0x90);
}

TEST(MidiWriter, TempoProgramAndEndAt) {
    MidiTrack track;
    track.Tempo(0, 500000);
    track.Program(0, 2, 73);
    track.Controller(0, 2, 7, 100);
    track.EndAt(960);
    const ReadFile file = Read(EncodeMidiFile({track}, 480));
    ASSERT_EQ(file.error, "");
    const auto& events = file.tracks[0];
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].data, Bytes({0x07, 0xA1, 0x20}));
    EXPECT_EQ(events[1].status, 0xC2);
    EXPECT_EQ(events[1].type, 73);
    EXPECT_EQ(events[2].status, 0xB2);
    EXPECT_EQ(events[3].tick, 960u); // the end of track waits
}

// ---------------------------------------------------------------- the pieces

struct Summary {
    double seconds = 0;
    int notes = 0;
    std::map<int, int> notesPerChannel;
    std::map<int, int> programs; // channel → program
    bool paired = true;
};

Summary Summarise(const ReadFile& file) {
    Summary summary;
    std::uint32_t tempo = 500000;
    std::uint32_t last = 0;
    for (const auto& track : file.tracks) {
        std::map<std::pair<int, int>, int> sounding;
        for (const ReadEvent& event : track) {
            last = std::max(last, event.tick);
            const int kind = event.status & 0xF0;
            const int channel = event.status & 0x0F;
            if (event.status == 0xFF && event.type == 0x51)
                tempo = (static_cast<unsigned char>(event.data[0]) << 16) |
                        (static_cast<unsigned char>(event.data[1]) << 8) |
                        static_cast<unsigned char>(event.data[2]);
            if (kind == 0xC0) summary.programs[channel] = event.type;
            if (kind == 0x90 && event.value > 0) {
                ++sounding[{channel, event.type}];
                ++summary.notes;
                ++summary.notesPerChannel[channel];
            }
            if (kind == 0x80 || (kind == 0x90 && event.value == 0)) {
                if (--sounding[{channel, event.type}] < 0) summary.paired = false;
            }
        }
        for (const auto& [key, count] : sounding)
            if (count != 0) summary.paired = false;
    }
    summary.seconds = last * (tempo / 1e6) / file.division;
    return summary;
}

TEST(MusicComposer, FivePleasantShortPieces) {
    for (int n = 1; n <= kPieceCount; ++n) {
        const ReadFile file = Read(ComposePiece(n));
        ASSERT_EQ(file.error, "") << n;
        EXPECT_EQ(file.format, 1);
        EXPECT_EQ(file.tracks.size(), 4u);
        Summary summary = Summarise(file);
        EXPECT_TRUE(summary.paired) << n;
        EXPECT_GE(summary.seconds, 10.0) << n;
        EXPECT_LE(summary.seconds, 25.0) << n;
        // A melody and two accompanying voices, each on its instrument.
        EXPECT_GE(summary.notesPerChannel[0], 16) << n;
        EXPECT_GE(summary.notesPerChannel[1], 8) << n;
        EXPECT_GE(summary.notesPerChannel[2], 8) << n;
        EXPECT_EQ(summary.programs.size(), 3u) << n;
    }
}

TEST(MusicComposer, PiecesDifferAndRepeatThemselves) {
    for (int n = 1; n <= kPieceCount; ++n) {
        EXPECT_EQ(ComposePiece(n), ComposePiece(n));
        for (int m = n + 1; m <= kPieceCount; ++m) EXPECT_NE(ComposePiece(n), ComposePiece(m));
    }
}

TEST(MusicComposer, TheInstalledFilesAreTheComposedPieces) {
    for (int n = 1; n <= kPieceCount; ++n) {
        const std::string path =
            std::string(VEMO_SOURCE_DIR) + "/data/Divers/Musique" + std::to_string(n) + ".mid";
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        std::ostringstream bytes;
        bytes << in.rdbuf();
        EXPECT_EQ(bytes.str(), ComposePiece(n)) << path << ": run vemo-compose";
    }
}

} // namespace
} // namespace vemo::devtools
