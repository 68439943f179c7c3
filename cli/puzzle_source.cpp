// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "puzzle_source.h"

#include "commands.h"

#include "io/puzzle_file.h"
#include "io/text_file.h"

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace vemo::cli {

namespace {

// How much of a file is read to tell a layout from a list of puzzle lines.
constexpr std::size_t kLayoutProbe = 64 * 1024;

// True when no line of the file is a complete puzzle line: the file is then a
// layout for the window's reader (a framed grid, nine rows of nine). A file
// with one puzzle line is a list, whatever comes before it (a header, a
// title, a date), and its other lines are reported as the line reader does.
// Only a regular file is looked at, and only its first bytes: anything else is
// left to the line reader, which says what is wrong with it.
bool LooksLikeLayout(const std::string& source) {
    if (source == "-") return false;
    const int fd = io::OpenRegularFile(source);
    if (fd < 0) return false;
    std::string head(kLayoutProbe, '\0');
    std::size_t size = 0;
    while (size < head.size()) {
        const ssize_t n = ::read(fd, head.data() + size, head.size() - size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    head.resize(size);
    std::istringstream lines(head);
    std::string line;
    bool text = false;
    while (std::getline(lines, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        text = true;
        std::string error;
        if (ParsePuzzleLine(line, error)) return false;
    }
    return text;
}

// The puzzle of a layout file as the window opens it, as a line puzzle.
std::optional<LinePuzzle> ReadLayout(const std::string& source) {
    Engine engine;
    if (io::LoadPuzzleFile(source, engine).outcome != io::LoadOutcome::kInstalled)
        return std::nullopt;
    LinePuzzle puzzle;
    puzzle.givens = engine.CellGrid[0];
    puzzle.variantKind = engine.VariantKind;
    puzzle.xSudoku = engine.XSudoku;
    puzzle.neighbourMarks = engine.NeighbourMarks;
    puzzle.parityMarks = engine.ParityMarks;
    return puzzle;
}

std::string LineOf(const LinePuzzle& p) {
    if (p.variantKind == kClassic && p.xSudoku != 1) return GridText(p.givens);
    return RecordLine(p.givens, p.variantKind, p.xSudoku, p.neighbourMarks, p.parityMarks);
}

// The answer to one puzzle, or the reason why it has none.
struct Reply {
    std::string text;
    std::optional<std::string> refused;
};

Reply Ask(const Answer& answer, Engine& engine, const std::string& line, const LinePuzzle& puzzle) {
    try {
        return {answer(engine, line, puzzle), std::nullopt};
    } catch (const Unanswered& e) {
        return {{}, e.reason};
    }
}

// Prints a reply; false when the puzzle was unanswered.
bool Print(const Reply& reply, const std::string& where) {
    if (!reply.refused) {
        std::cout << reply.text;
        return true;
    }
    std::cout.flush();
    std::cerr << where << ": " << *reply.refused << '\n';
    return false;
}

// Puzzles handed from the reading thread to the workers, and answers printed
// in reading order as soon as every earlier one is printed.
class Pool {
  public:
    Pool(int jobs, const Answer& answer) : answer_(answer) {
        for (int j = 0; j < jobs; ++j) threads_.emplace_back([this] { Work(); });
    }
    ~Pool() { Finish(); }

    void Add(const std::string& line, const std::string& where, const LinePuzzle& puzzle) {
        std::unique_lock<std::mutex> guard(lock_);
        // A bounded queue: a long file is not read ahead of the workers.
        room_.wait(guard, [&] { return queue_.size() < 4 * threads_.size(); });
        queue_.push_back({added_++, line, where, puzzle});
        work_.notify_one();
    }

    void Finish() {
        {
            std::lock_guard<std::mutex> guard(lock_);
            closed_ = true;
        }
        work_.notify_all();
        for (auto& t : threads_) t.join();
        threads_.clear();
    }

    // True when every puzzle had an answer.
    bool AllAnswered() const { return allAnswered_; }

  private:
    struct Task {
        long long index;
        std::string line;
        std::string where;
        LinePuzzle puzzle;
    };

    void Work() {
        Engine engine;
        for (;;) {
            Task task;
            {
                std::unique_lock<std::mutex> guard(lock_);
                work_.wait(guard, [&] { return closed_ || !queue_.empty(); });
                if (queue_.empty()) return;
                task = std::move(queue_.front());
                queue_.pop_front();
                room_.notify_one();
            }
            Reply reply = Ask(answer_, engine, task.line, task.puzzle);
            std::lock_guard<std::mutex> guard(lock_);
            ready_[task.index] = {std::move(reply), std::move(task.where)};
            while (!ready_.empty() && ready_.begin()->first == printed_) {
                const auto& [done, where] = ready_.begin()->second;
                if (!Print(done, where)) allAnswered_ = false;
                ready_.erase(ready_.begin());
                ++printed_;
            }
        }
    }

    const Answer& answer_;
    std::mutex lock_;
    std::condition_variable work_, room_;
    std::deque<Task> queue_;
    std::map<long long, std::pair<Reply, std::string>> ready_;
    long long added_ = 0, printed_ = 0;
    bool closed_ = false;
    bool allAnswered_ = true;
    std::vector<std::thread> threads_;
};

} // namespace

std::optional<SourceArgs> ParseSourceArgs(const std::vector<std::string>& args,
                                          std::string& error) {
    SourceArgs parsed;
    bool haveSource = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--jobs") {
            const auto jobs = i + 1 < args.size() ? ParseNumber(args[i + 1], 1, 64) : std::nullopt;
            if (!jobs) {
                error = "--jobs takes a number from 1 to 64";
                return std::nullopt;
            }
            parsed.jobs = static_cast<int>(*jobs);
            ++i;
        } else if (!haveSource && (args[i] == "-" || !args[i].starts_with("--"))) {
            parsed.source = args[i];
            haveSource = true;
        } else {
            error = "unexpected argument '" + args[i] + "'";
            return std::nullopt;
        }
    }
    if (!haveSource) {
        error = "a file is needed";
        return std::nullopt;
    }
    return parsed;
}

void RequireAnswer(const Engine& engine) {
    if (engine.SearchAbandoned)
        throw Unanswered{"search abandoned after " + std::to_string(engine.TrialBudget) +
                         " trials: no answer within the budget"};
}

int ForEachPuzzle(const SourceArgs& args, const Answer& answer) {
    if (LooksLikeLayout(args.source)) {
        if (const auto puzzle = ReadLayout(args.source)) {
            Engine engine;
            return Print(Ask(answer, engine, LineOf(*puzzle), *puzzle), args.source)
                       ? kExitOk
                       : kExitBadInput;
        }
        // Not a layout the window reads either: the line reader says what is wrong.
    }
    bool allAnswered = true;
    int status = kExitOk;
    if (args.jobs <= 1) {
        Engine engine;
        status = ForEachPuzzleLine(args.source, [&](const std::string& line,
                                                    const std::string& where, const LinePuzzle& p) {
            if (!Print(Ask(answer, engine, line, p), where)) allAnswered = false;
        });
    } else {
        Pool pool(args.jobs, answer);
        status =
            ForEachPuzzleLine(args.source, [&](const std::string& line, const std::string& where,
                                               const LinePuzzle& p) { pool.Add(line, where, p); });
        pool.Finish();
        allAnswered = pool.AllAnswered();
    }
    return status == kExitOk && !allAnswered ? kExitBadInput : status;
}

} // namespace vemo::cli
