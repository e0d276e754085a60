// NOR flash as the simulated device holds it: erasing sets whole 64 KB blocks
// to 0xFF, programming can only clear bits, reads return what is stored.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quillon::devsim {

inline constexpr std::uint32_t kEraseBlock = 0x10000;

class NorFlash {
 public:
  // `size` is rounded up to whole erase blocks; the flash starts erased.
  explicit NorFlash(std::size_t size);

  // Erases every block that [address, address + length) touches. False
  // (nothing erased) when the range leaves the flash.
  bool Erase(std::uint32_t address, std::uint32_t length);
  // ANDs `data` into the flash at `address`. False when it does not fit.
  bool Program(std::uint32_t address, std::span<const std::uint8_t> data);
  // Copies out.size() bytes from `address`. False when out of range.
  bool Read(std::uint32_t address, std::span<std::uint8_t> out) const;

  std::span<const std::uint8_t> Bytes() const { return cells_; }

 private:
  bool Fits(std::uint32_t address, std::size_t length) const;

  std::vector<std::uint8_t> cells_;
};

}  // namespace quillon::devsim
