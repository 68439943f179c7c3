// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays one MIDI file through FluidSynth on a worker thread, so that loading
// the sound font and starting the audio output never hold up the window.
// Whatever goes wrong (no file, no sound font, no audio device) only leaves
// the player silent.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vemo::ui {

enum class MusicState {
    kIdle,     // nothing asked, or stopped
    kStarting, // the worker is loading the sound font and the file
    kPlaying,
    kSilent,   // the file, the sound font or the audio output was not usable
    kFinished, // the piece played to its end
};

// Where the sound goes: FluidSynth's default driver when `audioDriver` is
// empty; "file" renders into `fileName` (used by the tests).
struct MusicOutput {
    std::string audioDriver;
    std::string fileName;
};

// The General MIDI sound fonts looked for, in order of preference.
std::vector<std::string> DefaultSoundFonts();

// The first existing file of the list, or the empty text.
std::string FindSoundFont(const std::vector<std::string>& candidates);

class MusicPlayer {
  public:
    explicit MusicPlayer(std::vector<std::string> soundFonts = DefaultSoundFonts());
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    void SetOutput(MusicOutput output) { output_ = std::move(output); }
    void SetSoundFonts(std::vector<std::string> soundFonts) { soundFonts_ = std::move(soundFonts); }

    // Both return at once; Play stops whatever was playing.
    void Play(const std::string& midiPath);
    void Stop();

    MusicState State() const;

  private:
    struct Session {
        std::atomic<MusicState> state{MusicState::kStarting};
        std::atomic<bool> done{false};
        std::mutex mutex;
        std::condition_variable wake;
        bool stop = false;
    };

    static void Run(std::shared_ptr<Session> session, std::string midiPath,
                    std::vector<std::string> soundFonts, MusicOutput output);
    void JoinFinished();

    std::vector<std::string> soundFonts_;
    MusicOutput output_;
    std::shared_ptr<Session> current_;
    std::thread worker_;
    // Workers asked to stop that may still be tearing down.
    std::vector<std::thread> retired_;
    std::vector<std::shared_ptr<Session>> retiredSessions_;
};

} // namespace vemo::ui
