// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/generation_task.h"

#include "engine/advanced/practice.h"
#include "engine/scale/levels.h"

#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <climits>

namespace vemo::ui {

GenerationTask::GenerationTask(QObject* parent) : QObject(parent) {}

GenerationTask::~GenerationTask() {
    cancel_ = true;
    Join();
}

void GenerationTask::Join() {
    if (thread_.joinable()) thread_.join();
}

void GenerationTask::Finish(bool generated) {
    Join();
    // A cancel asked for before this result arrived wins: the user asked for
    // the old game back.
    const bool kept = generated && !cancel_.load();
    gaveUp_ = !generated && !cancel_.load() && spent_.load();
    if (kept) result_ = std::move(work_);
    work_.reset();
    running_ = false;
    emit Finished(kept);
}

bool GenerationTask::Launch(
    const Engine& settings,
    std::function<bool(Engine&, const std::function<void(long long)>&)> generate) {
    if (running_) return false;
    Join(); // a finished worker whose thread has not been joined yet
    work_ = std::make_unique<Engine>(settings);
    work_->MessagePump = nullptr; // the window's pump belongs to the window's thread
    cancel_ = false;
    spent_ = false;
    gaveUp_ = false;
    running_ = true;
    Engine* engine = work_.get();
    const QPointer<GenerationTask> self(this);
    thread_ = std::thread([this, engine, self, generate = std::move(generate)] {
        const auto progress = [this, self](long long attempts) {
            const int count = static_cast<int>(std::min<long long>(attempts, INT_MAX));
            QMetaObject::invokeMethod(
                this,
                [self, count] {
                    if (self) emit self->Progress(count);
                },
                Qt::QueuedConnection);
        };
        const bool generated = generate(*engine, progress);
        QMetaObject::invokeMethod(
            this,
            [self, generated] {
                if (self) self->Finish(generated);
            },
            Qt::QueuedConnection);
    });
    return true;
}

bool GenerationTask::Start(const Engine& settings) {
    const long long budget = scaleBudget_;
    const bool started = Launch(settings, [this, budget](Engine& engine, const auto& progress) {
        if (engine.ScaleLevel != 0) {
            scale::ScaleRater rater;
            const bool generated = scale::GenerateOnScale(engine, engine.ScaleLevel, rater,
                                                          &cancel_, budget, progress) > 0;
            spent_ = !generated && !cancel_.load();
            return generated;
        }
        return engine.GeneratePuzzle([&progress](int attempts) { progress(attempts); }, &cancel_);
    });
    if (started) practiceRun_ = false;
    return started;
}

bool GenerationTask::StartPractice(const Engine& settings, int technique,
                                   std::function<void(const Engine&, int technique)> made) {
    const long long budget = practiceBudget_;
    const bool started = Launch(settings, [this, budget, technique, made = std::move(made)](
                                              Engine& engine, const auto& progress) {
        const bool generated =
            practice::GenerateForPractice(engine, technique, &cancel_, budget, progress, made) > 0;
        spent_ = !generated && !cancel_.load();
        return generated;
    });
    if (started) practiceRun_ = true;
    return started;
}

bool GenerationTask::Deliver(Engine ready) {
    if (running_) return false;
    Join();
    work_ = std::make_unique<Engine>(std::move(ready));
    cancel_ = false;
    running_ = true;
    const QPointer<GenerationTask> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (self) self->Finish(true);
        },
        Qt::QueuedConnection);
    return true;
}

void GenerationTask::Cancel() {
    cancel_ = true;
}

} // namespace vemo::ui
