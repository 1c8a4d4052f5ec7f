// What the random sweeps share: whole numbers drawn from a fixed seed, and sizes and seeds that
// the environment may widen (MERIDEL_SWEEP_SEED and the like).
#pragma once

#include <cstdlib>
#include <random>

namespace meridel::skycheck {

inline int Uniform(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

inline int EnvironmentNumber(const char* name, int otherwise) {
    const char* text = std::getenv(name);
    return text ? std::atoi(text) : otherwise;
}

}  // namespace meridel::skycheck
