#pragma once

#include <cstdint>
#include <span>

/// The viewer program, one 8 KB program bank, assembled from viewer.s by the build.
std::span<const uint8_t> ViewerProgram();
