// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/music_player.h"

#include <chrono>
#include <filesystem>
#include <fluidsynth.h>

namespace vemo::ui {

namespace {

// Owns the FluidSynth objects of one playback, freed in reverse order.
struct Synthesiser {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    fluid_audio_driver_t* driver = nullptr;

    ~Synthesiser() {
        if (player != nullptr) fluid_player_stop(player);
        if (driver != nullptr) delete_fluid_audio_driver(driver);
        if (player != nullptr) delete_fluid_player(player);
        if (synth != nullptr) delete_fluid_synth(synth);
        if (settings != nullptr) delete_fluid_settings(settings);
    }
};

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

} // namespace

std::vector<std::string> DefaultSoundFonts() {
    return {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
}

std::string FindSoundFont(const std::vector<std::string>& candidates) {
    for (const std::string& path : candidates)
        if (IsFile(path)) return path;
    return {};
}

MusicPlayer::MusicPlayer(std::vector<std::string> soundFonts)
    : soundFonts_(std::move(soundFonts)) {}

MusicPlayer::~MusicPlayer() {
    Stop();
    if (worker_.joinable()) worker_.join();
    for (std::thread& thread : retired_) thread.join();
}

void MusicPlayer::Play(const std::string& midiPath) {
    Stop();
    JoinFinished();
    if (worker_.joinable()) {
        retired_.push_back(std::move(worker_));
        retiredSessions_.push_back(current_);
    }
    current_ = std::make_shared<Session>();
    worker_ = std::thread(&MusicPlayer::Run, current_, midiPath, soundFonts_, output_);
}

void MusicPlayer::Stop() {
    if (!current_) return;
    {
        const std::lock_guard lock(current_->mutex);
        current_->stop = true;
    }
    current_->wake.notify_all();
}

MusicState MusicPlayer::State() const {
    if (!current_) return MusicState::kIdle;
    return current_->state.load();
}

void MusicPlayer::JoinFinished() {
    for (std::size_t k = 0; k < retired_.size();) {
        if (retiredSessions_[k]->done.load()) {
            retired_[k].join();
            retired_.erase(retired_.begin() + static_cast<std::ptrdiff_t>(k));
            retiredSessions_.erase(retiredSessions_.begin() + static_cast<std::ptrdiff_t>(k));
        } else {
            ++k;
        }
    }
}

void MusicPlayer::Run(std::shared_ptr<Session> session, std::string midiPath,
                      std::vector<std::string> soundFonts, MusicOutput output) {
    const auto stopRequested = [&] {
        const std::lock_guard lock(session->mutex);
        return session->stop;
    };
    const auto finish = [&](MusicState state) {
        session->state = stopRequested() ? MusicState::kIdle : state;
        session->done = true;
    };

    const std::string soundFont = FindSoundFont(soundFonts);
    if (!IsFile(midiPath) || soundFont.empty() || fluid_is_midifile(midiPath.c_str()) == 0)
        return finish(MusicState::kSilent);

    {
        Synthesiser fluid;
        fluid.settings = new_fluid_settings();
        if (fluid.settings == nullptr) return finish(MusicState::kSilent);
        if (!output.audioDriver.empty())
            fluid_settings_setstr(fluid.settings, "audio.driver", output.audioDriver.c_str());
        if (!output.fileName.empty())
            fluid_settings_setstr(fluid.settings, "audio.file.name", output.fileName.c_str());
        fluid.synth = new_fluid_synth(fluid.settings);
        if (fluid.synth == nullptr || stopRequested()) return finish(MusicState::kSilent);
        if (fluid_synth_sfload(fluid.synth, soundFont.c_str(), 1) == FLUID_FAILED)
            return finish(MusicState::kSilent);
        fluid.player = new_fluid_player(fluid.synth);
        if (fluid.player == nullptr || fluid_player_add(fluid.player, midiPath.c_str()) != FLUID_OK)
            return finish(MusicState::kSilent);
        if (stopRequested()) return finish(MusicState::kIdle);
        fluid.driver = new_fluid_audio_driver(fluid.settings, fluid.synth);
        if (fluid.driver == nullptr || fluid_player_play(fluid.player) != FLUID_OK)
            return finish(MusicState::kSilent);
        session->state = MusicState::kPlaying;

        std::unique_lock lock(session->mutex);
        while (!session->stop && fluid_player_get_status(fluid.player) == FLUID_PLAYER_PLAYING)
            session->wake.wait_for(lock, std::chrono::milliseconds(50));
    }
    finish(MusicState::kFinished);
}

} // namespace vemo::ui
