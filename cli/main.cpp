// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vemotarn-cli: solving, rating, hinting and generating from the command line.
#include "commands.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <unistd.h>

namespace vemo::cli {

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace

bool RegisterCommand(const Command& command) {
    Registry().push_back(command);
    return true;
}

const std::vector<Command>& Commands() {
    return Registry();
}

std::optional<long long> ParseNumber(const std::string& text, long long low, long long high) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    long long value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    if (value < low || value > high) return std::nullopt;
    return value;
}

int UsageError(const Command& command, const std::string& message) {
    std::cerr << "vemotarn-cli: " << message << "\nusage: vemotarn-cli " << command.name << ' '
              << command.usage << '\n';
    return kExitUsage;
}

} // namespace vemo::cli

namespace {

int RunTool(int argc, char** argv);

void PrintHelp(std::ostream& out) {
    auto commands = vemo::cli::Commands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a.name, b.name) < 0; });
    out << "usage: vemotarn-cli COMMAND [ARGUMENTS]\n\n"
           "Puzzle files hold one puzzle per line: 81 characters, 1..9 for a digit,\n"
           "'.' or '0' for an empty cell. '-' reads standard input.\n\ncommands:\n";
    for (const auto& c : commands) {
        std::string head = std::string(c.name) + ' ' + c.usage;
        out << "  " << head;
        for (std::size_t i = head.size(); i < 34; ++i) out << ' ';
        out << ' ' << c.summary << '\n';
    }
}

// Standard output written straight to its descriptor, keeping the reason of
// the first write the system refuses; the stream then fails.
class CheckedOutputBuffer : public std::streambuf {
  public:
    CheckedOutputBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    int Error() const { return error_; }

  protected:
    int_type overflow(int_type ch) override {
        if (!Drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return Drain() ? 0 : -1; }

  private:
    bool Drain() {
        const char* at = pbase();
        while (at < pptr() && error_ == 0) {
            const ssize_t n = ::write(STDOUT_FILENO, at, static_cast<std::size_t>(pptr() - at));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) error_ = n < 0 ? errno : EIO;
            if (n > 0) at += n;
        }
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return error_ == 0;
    }

    std::array<char, 65536> buffer_{};
    int error_ = 0;
};

// Every command's output reaches standard output, or the tool says it did not:
// a write refused on the way (a full disk, a closed output) or at the final
// flush turns a success into status 1.
int CheckedOutput(int status, const CheckedOutputBuffer& buffer) {
    std::cout.flush();
    if (std::cout && buffer.Error() == 0) return status;
    std::cerr << "vemotarn-cli: cannot write standard output: "
              << std::strerror(buffer.Error() != 0 ? buffer.Error() : EIO) << '\n';
    return status == vemo::cli::kExitOk ? vemo::cli::kExitBadInput : status;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // Never destroyed: the stream is flushed once more at exit.
    static auto* const output = new CheckedOutputBuffer;
    std::cout.rdbuf(output);
    return CheckedOutput(RunTool(argc, argv), *output);
}

namespace {

int RunTool(int argc, char** argv) {
    if (argc < 2) {
        PrintHelp(std::cerr);
        return vemo::cli::kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "-h" || name == "--help" || name == "help") {
        PrintHelp(std::cout);
        return vemo::cli::kExitOk;
    }
    for (const auto& command : vemo::cli::Commands()) {
        if (name == command.name) return command.run({argv + 2, argv + argc});
    }
    std::cerr << "vemotarn-cli: unknown command '" << name << "'\n";
    PrintHelp(std::cerr);
    return vemo::cli::kExitUsage;
}

} // namespace
