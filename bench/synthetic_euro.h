#pragma once

#include <cstddef>
#include <string>

namespace velquor::bench {

/// A euro.cfg of about `size` bytes as modders' files look, only much longer:
/// CR LF lines, every nation many times in blocks of realistic club names,
/// headers with extra text, headers that name no nation, and club lines
/// beyond a nation's places. The same size gives the same bytes.
std::string syntheticEuro(std::size_t size);

}  // namespace velquor::bench
