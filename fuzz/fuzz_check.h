// What the fuzz harnesses share: a check that stops the run with a message when what must hold
// does not (libFuzzer then keeps the input; the replay test fails), and the cutting of an input
// into the texts a harness needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition, what)                                                               \
    do {                                                                                          \
        if (!(condition)) ::meridel::fuzz::Fail(__FILE__, __LINE__, #condition, (what));          \
    } while (false)

namespace meridel::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* condition, const std::string& what) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", file, line, condition, what.c_str());
    std::abort();
}

// The input as a text.
inline std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The input cut at every `separator`: n separators give n + 1 parts.
inline std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string_view::npos; from = at + 1)
        parts.emplace_back(text.substr(from, at - from));
    parts.emplace_back(text.substr(from));
    return parts;
}

// Part i of parts, "" beyond the last.
inline std::string Part(const std::vector<std::string>& parts, std::size_t i) {
    return i < parts.size() ? parts[i] : std::string();
}

// A text made printable for a message: other bytes as \xHH.
inline std::string Shown(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 32 && c < 127 && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        }
    }
    return out;
}

}  // namespace meridel::fuzz
