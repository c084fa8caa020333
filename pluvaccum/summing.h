// The sums of pluvaccum: every cell's precipitation added up over the
// products of a period, exactly.
#pragma once

#include <cstdint>
#include <vector>

#include "common/rw_product.h"

namespace pluv {

class SumGrid {
 public:
  SumGrid();  // all sums 0; the grids are allocated here, once

  // Adds the value of every cell of reading 0 or 1; a product's runs of
  // cells come one after the other, from its first cell on.
  void AddCells(const RwCells& cells);
  // The sum of every cell in tenths of a millimetre, in product order.
  const std::int64_t* Summe();

 private:
  // The latest products are added into 16-bit sums, which stay in the
  // caches, and moved into the 64-bit sums before they could overflow:
  // no 16-bit sum exceeds the sum of the largest values of the products in
  // it, and a product adds at most 4095 to a cell.
  static constexpr int kRecentLimit = 65535 - kValueMask;
  void Settle();

  std::vector<std::uint16_t> recent_;
  int recent_bound_ = 0;   // the largest values of the products in recent_, added up
  int product_peak_ = 0;   // the largest value of the product being added
  std::vector<std::int64_t> Summe_;
};

}  // namespace pluv
