#include "quillon/devsim/nor_flash.h"

#include <algorithm>

namespace quillon::devsim {

NorFlash::NorFlash(std::size_t size)
    : cells_((size + kEraseBlock - 1) / kEraseBlock * kEraseBlock, 0xFF) {}

bool NorFlash::Fits(std::uint32_t address, std::size_t length) const {
  return address <= cells_.size() && length <= cells_.size() - address;
}

bool NorFlash::Erase(std::uint32_t address, std::uint32_t length) {
  if (!Fits(address, length)) return false;
  if (length == 0) return true;
  const std::size_t first = address / kEraseBlock * kEraseBlock;
  const std::size_t end =
      (std::size_t{address} + length + kEraseBlock - 1) / kEraseBlock * kEraseBlock;
  std::fill(cells_.begin() + static_cast<std::ptrdiff_t>(first),
            cells_.begin() + static_cast<std::ptrdiff_t>(end), 0xFF);
  return true;
}

bool NorFlash::Program(std::uint32_t address, std::span<const std::uint8_t> data) {
  if (!Fits(address, data.size())) return false;
  for (std::size_t i = 0; i < data.size(); ++i) cells_[address + i] &= data[i];
  return true;
}

bool NorFlash::Read(std::uint32_t address, std::span<std::uint8_t> out) const {
  if (!Fits(address, out.size())) return false;
  std::copy_n(cells_.begin() + address, out.size(), out.begin());
  return true;
}

}  // namespace quillon::devsim
