// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/generation_task.h"

#include <QMetaObject>
#include <QPointer>

namespace vemo::ui {

GenerationTask::GenerationTask(QObject* parent) : QObject(parent) {}

GenerationTask::~GenerationTask() {
    cancel_ = true;
    Join();
}

void GenerationTask::Join() {
    if (thread_.joinable()) thread_.join();
}

bool GenerationTask::Start(const Engine& settings) {
    if (running_) return false;
    Join(); // a finished worker whose thread has not been joined yet
    work_ = std::make_unique<Engine>(settings);
    work_->MessagePump = nullptr; // the window's pump belongs to the window's thread
    cancel_ = false;
    running_ = true;
    Engine* engine = work_.get();
    const QPointer<GenerationTask> self(this);
    thread_ = std::thread([this, engine, self] {
        const bool generated = engine->GeneratePuzzle(
            [this, self](int attempts) {
                QMetaObject::invokeMethod(
                    this,
                    [self, attempts] {
                        if (self) emit self->Progress(attempts);
                    },
                    Qt::QueuedConnection);
            },
            &cancel_);
        QMetaObject::invokeMethod(
            this,
            [self, generated] {
                if (!self) return;
                self->Join();
                // A cancel asked for before this result arrived wins: the user
                // asked for the old game back.
                const bool kept = generated && !self->cancel_.load();
                if (kept) self->result_ = std::move(self->work_);
                self->work_.reset();
                self->running_ = false;
                emit self->Finished(kept);
            },
            Qt::QueuedConnection);
    });
    return true;
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
            if (!self) return;
            const bool kept = !self->cancel_.load();
            if (kept) self->result_ = std::move(self->work_);
            self->work_.reset();
            self->running_ = false;
            emit self->Finished(kept);
        },
        Qt::QueuedConnection);
    return true;
}

void GenerationTask::Cancel() {
    cancel_ = true;
}

} // namespace vemo::ui
