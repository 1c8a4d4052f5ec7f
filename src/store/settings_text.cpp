#include "store/settings_text.h"

#include <cctype>
#include <cstdio>

namespace meridel {

namespace {

std::string Escape(const std::string& text, bool isName) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        bool special = c < 32 || c == 127 || c == '\\' ||
                       (isName && (c == '=' || (i == 0 && (c == '[' || c == ';' || c == '#'))));
        if (c == '\\') {
            out += "\\\\";
        } else if (special) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 3]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string NormalSettingsKey(const std::string& key) {
    std::string out;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string::npos) end = key.size();
        if (end > start) {
            if (!out.empty()) out += '\\';
            out += key.substr(start, end - start);
        }
        start = end + 1;
    }
    return out;
}

std::string SettingsText(const SettingsKeys& keys) {
    std::string out;
    for (const auto& [key, values] : keys) {
        if (values.empty()) continue;
        out += "[" + key + "]\n";
        for (const auto& [name, text] : values) out += Escape(name, true) + "=" + Escape(text, false) + "\n";
        out += "\n";
    }
    return out;
}

std::optional<SettingsKeys> ParseSettingsText(const std::string& text) {
    SettingsKeys keys;
    bool inSection = false;
    std::string current;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.back() != ']') return std::nullopt;
            current = NormalSettingsKey(line.substr(1, line.size() - 2));
            if (current.empty()) return std::nullopt;
            // A section without values holds nothing: no key is made for it, as none is written.
            inSection = true;
            continue;
        }
        size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos) return std::nullopt;
        const std::string name = Unescape(line.substr(0, equals));
        if (name.empty()) return std::nullopt;
        keys[current][name] = Unescape(line.substr(equals + 1));
    }
    return keys;
}

}  // namespace meridel
