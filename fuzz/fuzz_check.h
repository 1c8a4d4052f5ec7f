// What the fuzz harnesses share: a check that stops the run when what must hold does not
// (libFuzzer then keeps the input, which the replay reruns; the replay test fails), and the
// cutting of an input into the texts a harness needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) ::meridel::fuzz::Fail(__FILE__, __LINE__, #condition);                 \
    } while (false)

namespace meridel::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* condition) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

// The input as a text.
inline std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The input cut at every `separator`: n separators give n + 1 parts, and empty parts follow up to
// `atLeast`.
inline std::vector<std::string> Split(std::string_view text, char separator, std::size_t atLeast = 0) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string_view::npos; from = at + 1)
        parts.emplace_back(text.substr(from, at - from));
    parts.emplace_back(text.substr(from));
    if (parts.size() < atLeast) parts.resize(atLeast);
    return parts;
}

}  // namespace meridel::fuzz
